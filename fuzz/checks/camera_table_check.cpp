#include "cameras/camera_table.h"
#include "cameras/received_datagram.h"
#include "fuzz/checks/checks.h"
#include "fuzz/checks/fixed_input.h"
#include "fuzz/checks/linux_reference.h"
#include "fuzz/checks/require.h"
#include "protocol/byte_fields.h"

#include <algorithm>
#include <vector>

namespace netlark::fuzzing {

namespace {

/// A control byte that clears the table, as a rescan does.
constexpr std::uint8_t RESCAN = 0xFF;

bool serialBefore(std::string_view left, std::string_view right) {
    const auto fold = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 'A' && byte <= 'Z' ? byte + 32 : byte;
    };
    return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(),
                                        [&](char a, char b) { return fold(a) < fold(b); });
}

/// The next announcement of the input as it arrives on the wire: a control
/// byte (odd: Linux, even: VxWorks) and the announcement's bytes.
std::vector<std::uint8_t> nextAnnouncement(std::uint8_t control, Input& rest) {
    std::vector<std::uint8_t> datagram;
    if (control & 1) {
        // The bytes are the announcement in clear, sealed with the key they hold.
        const LinuxDatagram clear = fixedInput<LINUX_DATAGRAM_SIZE>(rest);
        const LinuxDatagram sealed =
            encodeLinuxAnnouncement(announcementAt(clear), fields::readU32(clear, 8));
        datagram.assign(sealed.begin(), sealed.end());
    } else {
        VxWorksReply reply = fixedInput<VXWORKS_REPLY_SIZE>(rest);
        reply[0] = '1';
        reply[1] = '1';
        datagram.assign(reply.begin(), reply.end());
    }
    rest = rest.subspan(std::min(rest.size(), datagram.size()));
    return datagram;
}

} // namespace

void checkCameraTable(Input input) {
    CameraTable table;
    std::vector<CameraRow> expected; // ascending serials, equal serials in arrival order
    while (!input.empty()) {
        const std::uint8_t control = input.front();
        input = input.subspan(1);
        if (control == RESCAN) {
            table.clear();
            expected.clear();
            continue;
        }
        const DatagramAction action = actionForDatagram(nextAnnouncement(control, input));
        const auto* listed = std::get_if<ListCamera>(&action);
        NETLARK_REQUIRE(listed != nullptr);

        const auto place = std::upper_bound(
            expected.begin(), expected.end(), listed->row, [](const auto& row, const auto& other) {
                return serialBefore(row.text(COLUMN_SERIAL), other.text(COLUMN_SERIAL));
            });
        const auto expectedIndex = static_cast<int>(place - expected.begin());
        expected.insert(place, listed->row);
        NETLARK_REQUIRE(table.insertionIndex(listed->row) == expectedIndex);
        const int index = table.insert(listed->row);
        NETLARK_REQUIRE(index == expectedIndex);
        NETLARK_REQUIRE(table.row(index) == listed->row);
    }
    // Every camera that answered is listed once, in order, cell for cell.
    NETLARK_REQUIRE(table.size() == static_cast<int>(expected.size()));
    for (int row = 0; row < table.size(); ++row) {
        for (int column = 0; column < CAMERA_COLUMN_COUNT; ++column) {
            NETLARK_REQUIRE(table.cell(row, column) ==
                            expected[static_cast<std::size_t>(row)].text(column));
        }
    }
    NETLARK_REQUIRE(table.cell(table.size(), COLUMN_SERIAL).empty());
    NETLARK_REQUIRE(table.cell(-1, COLUMN_SERIAL).empty());
    NETLARK_REQUIRE(table.cell(0, CAMERA_COLUMN_COUNT).empty());
}

} // namespace netlark::fuzzing
