#include "app/ui/LayoutNumber.h"

#include "library/system/CResourceData.h"

void GetLayoutNumber(int32_t& value, unsigned int id) {
    if (value != -1) {
        return;
    }
    const CResourceData data(id);
    if (!data.IsFound() || data.GetSize() < 2) {
        value = 0;
        return;
    }
    const uint8_t* bytes = data.GetData();
    value = static_cast<int16_t>(static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)));
}
