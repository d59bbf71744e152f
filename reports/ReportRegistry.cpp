#include "ReportRegistry.h"

void RegisterReportDialog() {}
