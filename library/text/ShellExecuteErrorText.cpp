#include "library/text/ShellExecuteErrorText.h"

unsigned int GetShellExecuteErrorTextId(intptr_t result) {
    const unsigned int unknownError = 40415;
    if (result > 32) {
        return 40410; // no error
    }
    switch (result) {
    case 0: // out of memory or resources
        return 40411;
    case 2: // ERROR_FILE_NOT_FOUND
        return 40408;
    case 3: // ERROR_PATH_NOT_FOUND
        return 40413;
    case 5: // SE_ERR_ACCESSDENIED
        return 40401;
    case 8: // SE_ERR_OOM
        return 40412;
    case 11: // ERROR_BAD_FORMAT
        return 40403;
    case 26: // SE_ERR_SHARE
        return 40414;
    case 27: // SE_ERR_ASSOCINCOMPLETE
        return 40402;
    case 28: // SE_ERR_DDETIMEOUT
        return 40406;
    case 29: // SE_ERR_DDEFAIL
        return 40405;
    case 30: // SE_ERR_DDEBUSY
        return 40404;
    case 31: // SE_ERR_NOASSOC
        return 40409;
    case 32: // SE_ERR_DLLNOTFOUND
        return 40407;
    default: // negative, or an undocumented value
        return unknownError;
    }
}
