#include "xmlParser/SXMLOptions.h"

SXMLOptions& SXMLOptions::Current() {
    static SXMLOptions options;
    return options;
}
