// Writes the seed corpus of the fuzz targets: a few valid datagrams and texts
// of every kind, and one of each way a datagram is turned away.
// Usage: make_corpus <corpus folder>   (the folder that holds one folder per target)
#include "protocol/byte_fields.h"
#include "protocol/linux_datagram.h"
#include "protocol/vxworks_datagram.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace netlark;
namespace fs = std::filesystem;

class CorpusWriter {
public:
    explicit CorpusWriter(fs::path root) : m_root(std::move(root)) {}

    void add(std::string_view target, std::string_view name, std::span<const std::uint8_t> bytes) {
        const fs::path folder = m_root / target;
        fs::create_directories(folder);
        std::ofstream(folder / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }

    void addText(std::string_view target, std::string_view name, std::string_view text) {
        add(target, name, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    }

private:
    fs::path m_root;
};

LinuxAnnouncement linuxCamera(std::string_view serial, std::uint16_t webPort) {
    LinuxAnnouncement a;
    a.serial = decltype(a.serial)::from(serial);
    a.webPort = webPort;
    a.settings = {{192, 168, 0, 20}, {255, 255, 255, 0}, {192, 168, 0, 1}, {192, 168, 0, 1}};
    a.carriedAddress = {192, 168, 0, 20};
    a.carriedPort = 554;
    a.mac = {0x00, 0x0F, 0xA0, 0xB1, 0xC2, 0xFF};
    return a;
}

VxWorksAnnouncement vxworksCamera(std::string_view serial) {
    VxWorksAnnouncement a;
    a.serial = decltype(a.serial)::from(serial);
    a.mac = {0x00, 0x1B, 0x2C, 0x3D, 0x4E, 0x5F};
    a.settings = {{10, 0, 0, 5}, {255, 0, 0, 0}, {10, 0, 0, 1}, {8, 8, 8, 8}};
    a.carriedAddress = {10, 0, 0, 5};
    return a;
}

/// Unscrambles, sets another payload_length and checksum, scrambles again.
LinuxDatagram withPayloadLength(LinuxDatagram d, std::uint32_t length) {
    const std::uint32_t key = fields::readU32(d, linux_layout::KEY);
    scramble(d, key);
    fields::writeU32(d, linux_layout::PAYLOAD_LENGTH, length);
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < length && linux_layout::PAYLOAD + i < d.size(); ++i) {
        sum += d[linux_layout::PAYLOAD + i];
    }
    fields::writeU32(d, linux_layout::CHECKSUM, sum);
    scramble(d, key);
    return d;
}

ChangeRequestFields change(std::string_view id, std::string_view password) {
    ChangeRequestFields f;
    f.adminId = id;
    f.adminPassword = password;
    f.targetMac = {0x00, 0x0F, 0xA0, 0xB1, 0xC2, 0xFF};
    f.settings = {{10, 1, 2, 3}, {255, 255, 0, 0}, {10, 1, 0, 254}, {1, 1, 1, 1}};
    f.carriedAddress = {192, 168, 0, 20};
    f.carriedPort = 554;
    return f;
}

constexpr MacAddress HOST_MAC{0x02, 0x00, 0x00, 0x00, 0x00, 0x01};

void writeLinuxReplies(CorpusWriter& out, std::string_view target, std::string_view prefix = "") {
    out.add(target, std::string(prefix) + "announcement_port80_key0",
            encodeLinuxAnnouncement(linuxCamera("LX0001", 80), 0));
    out.add(target, std::string(prefix) + "announcement_port81",
            encodeLinuxAnnouncement(linuxCamera("LX0002", 81), 0x9E3779B9));
    out.add(target, std::string(prefix) + "announcement_serial14",
            encodeLinuxAnnouncement(linuxCamera("LX345678901234", 8080), 0xFFFFFFFF));
    const LinuxDatagram announcement = encodeLinuxAnnouncement(linuxCamera("LX0003", 80), 77);
    out.add(target, std::string(prefix) + "announcement_payload45",
            withPayloadLength(announcement, 45));
    out.add(target, std::string(prefix) + "announcement_payload100",
            withPayloadLength(announcement, 100));
    out.add(target, std::string(prefix) + "payload_length_101",
            withPayloadLength(announcement, 101));
    LinuxDatagram badChecksum = announcement;
    badChecksum[30] ^= 1;
    out.add(target, std::string(prefix) + "checksum_failure", badChecksum);
    LinuxDatagram badMarker = announcement;
    badMarker[0] = 1;
    out.add(target, std::string(prefix) + "marker_not_zero", badMarker);
    out.add(target, std::string(prefix) + "result_set_done", encodeLinuxResult(OP_SET_DONE, 1234));
    out.add(target, std::string(prefix) + "result_auth_fail", encodeLinuxResult(OP_AUTH_FAIL, 0));
    out.add(target, std::string(prefix) + "result_unknown_opcode", encodeLinuxResult(0xBEEF, 42));
}

void writeVxWorksReplies(CorpusWriter& out, std::string_view target, std::string_view prefix = "") {
    out.add(target, std::string(prefix) + "announcement",
            encodeVxWorksAnnouncement(vxworksCamera("VX0001")));
    out.add(target, std::string(prefix) + "announcement_serial12",
            encodeVxWorksAnnouncement(vxworksCamera("VX3456789012")));
    VxWorksReply zeroSemicolon = encodeVxWorksAnnouncement(vxworksCamera("VX0002"));
    zeroSemicolon[1] = ';'; // "0;" reads as 11
    zeroSemicolon[0] = '0';
    out.add(target, std::string(prefix) + "announcement_zero_semicolon", zeroSemicolon);
    out.add(target, std::string(prefix) + "result_set_done", encodeVxWorksResult(OP_SET_DONE));
    out.add(target, std::string(prefix) + "result_auth_fail", encodeVxWorksResult(OP_AUTH_FAIL));
    out.add(target, std::string(prefix) + "result_unknown_opcode", encodeVxWorksResult(99));
}

void writeRequests(CorpusWriter& out) {
    out.add("fuzz_linux_request", "discovery", buildLinuxDiscovery(HOST_MAC));
    out.add("fuzz_linux_request", "change_full_texts",
            buildLinuxChange(change("0123456789", "abcdefghij"), HOST_MAC));
    out.add("fuzz_linux_request", "change_short_texts",
            buildLinuxChange(change("admin", "pw"), HOST_MAC, 0));
    out.add("fuzz_linux_request", "announcement",
            encodeLinuxAnnouncement(linuxCamera("LX0001", 80), 5));
    out.add("fuzz_vxworks_request", "discovery", buildVxWorksDiscovery());
    out.add("fuzz_vxworks_request", "change_full_texts",
            buildVxWorksChange(change("0123456789", "abcdefghij")));
    out.add("fuzz_vxworks_request", "change_short_texts",
            buildVxWorksChange(change("admin", "pw")));
}

void writeReceivePath(CorpusWriter& out) {
    constexpr std::string_view target = "fuzz_receive_path";
    writeLinuxReplies(out, target, "linux_");
    writeVxWorksReplies(out, target, "vxworks_");
    for (std::size_t length : {0, 12, 39, 41, 50, 60, 123, 125, 2000}) {
        const std::vector<std::uint8_t> bytes(length, 0x31);
        out.add(target, "length_" + std::to_string(length) + "_bytes", bytes);
    }
}

/// A camera table input: per announcement a control byte (1 Linux, 0
/// VxWorks, 0xFF a rescan) and its bytes, Linux ones in clear (key 0).
class AnnouncementSequence {
public:
    AnnouncementSequence& linuxCamera(std::string_view serial) {
        const LinuxDatagram clear = encodeLinuxAnnouncement(::linuxCamera(serial, 80), 0);
        m_bytes.push_back(1);
        m_bytes.insert(m_bytes.end(), clear.begin(), clear.end());
        return *this;
    }
    AnnouncementSequence& vxworksCamera(std::string_view serial) {
        const VxWorksReply reply = encodeVxWorksAnnouncement(::vxworksCamera(serial));
        m_bytes.push_back(0);
        m_bytes.insert(m_bytes.end(), reply.begin(), reply.end());
        return *this;
    }
    AnnouncementSequence& rescan() {
        m_bytes.push_back(0xFF);
        return *this;
    }
    std::span<const std::uint8_t> bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

void writeCameraTable(CorpusWriter& out) {
    constexpr std::string_view target = "fuzz_camera_table";
    out.add(target, "serials_b_then_a",
            AnnouncementSequence().linuxCamera("B").vxworksCamera("A").bytes());
    out.add(target, "equal_serials_in_other_case",
            AnnouncementSequence()
                .vxworksCamera("cam1")
                .linuxCamera("CAM1")
                .linuxCamera("Cam1")
                .bytes());
    out.add(target, "rescan_between",
            AnnouncementSequence().linuxCamera("LX1").rescan().vxworksCamera("VX1").bytes());
    AnnouncementSequence many;
    for (char c = 'Z'; c >= 'K'; --c) {
        const std::string serial(3, c);
        if (c % 2 == 0) {
            many.linuxCamera(serial);
        } else {
            many.vxworksCamera(serial);
        }
    }
    out.add(target, "sixteen_in_reverse_order", many.bytes());
}

struct NamedText {
    std::string_view name;
    std::string_view text;
};

void writeTexts(CorpusWriter& out) {
    constexpr NamedText MACS[] = {
        {"upper_case", "00:0F:A0:B1:C2:FF"}, {"lower_case", "00:0f:a0:b1:c2:ff"},
        {"broadcast", "FF:FF:FF:FF:FF:FF"},  {"short", "0:1:2"},
        {"not_hex", "G0:zz:10:::"},          {"empty", ""},
    };
    for (const auto& [name, text] : MACS) {
        out.addText("fuzz_mac_text", name, text);
    }
    constexpr NamedText ADDRESSES[] = {
        {"dotted", "192.168.0.20"},   {"broadcast", "255.255.255.255"}, {"zero", "0.0.0.0"},
        {"two_parts", "10.1"},        {"three_parts", "10.1.2"},        {"one_number", "167772161"},
        {"hexadecimal", "0x7f.1"},    {"octal", "017.0.0.1"},           {"octet_256", "1.2.3.256"},
        {"with_port", "10.0.0.5:81"}, {"empty_part", "1..2.3"},         {"empty", ""},
    };
    for (const auto& [name, text] : ADDRESSES) {
        out.addText("fuzz_dotted_address", name, text);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_corpus <corpus folder>\n";
        return 2;
    }
    CorpusWriter out(argv[1]);
    writeLinuxReplies(out, "fuzz_linux_reply");
    writeVxWorksReplies(out, "fuzz_vxworks_reply");
    writeRequests(out);
    writeReceivePath(out);
    writeCameraTable(out);
    writeTexts(out);
    return 0;
}
