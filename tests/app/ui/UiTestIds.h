#pragma once

// Layout numbers of the tests (data resources), beside the program's resources.
#define IDR_TEST_LAYOUT_NEGATIVE 31000
#define IDR_TEST_LAYOUT_LONGER 31001
#define IDR_TEST_LAYOUT_ONE_BYTE 31002
#define IDR_TEST_LAYOUT_MISSING 31003
