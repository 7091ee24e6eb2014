#include "cameras/row_addresses.h"

#include "cameras/address_text.h"

namespace netlark {

RowAddresses rowAddresses(const CameraRow& row) {
    const std::string_view ip = row.text(COLUMN_IP);
    return {
        readDottedAddress(ip.substr(0, ip.find(':'))), readDottedAddress(row.text(COLUMN_GATEWAY)),
        readDottedAddress(row.text(COLUMN_SUBNET_MASK)), readDottedAddress(row.text(COLUMN_DNS))};
}

} // namespace netlark
