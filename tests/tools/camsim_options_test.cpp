#include "tools/camsim/camsim_options.h"

#include <gtest/gtest.h>

namespace netlark {
namespace {

std::variant<CamsimOptions, OptionError> parse(std::vector<std::string_view> args) {
    return parseCamsimOptions(args);
}

CamsimOptions parsed(std::vector<std::string_view> args) {
    auto result = parse(args);
    if (const auto* error = std::get_if<OptionError>(&result)) {
        ADD_FAILURE() << error->message;
        return {};
    }
    return std::get<CamsimOptions>(result);
}

TEST(CamsimOptionsTest, CameraTakesEveryField) {
    const auto options = parsed(
        {"--camera", "family=linux,serial=CAM001,mac=00:11:22:aa:BB:cc,ip=192.168.0.20,"
                     "mask=255.255.255.0,gateway=192.168.0.1,dns=8.8.8.8,web-port=8080,"
                     "carried=192.168.0.21,carried-port=554,id=admin,password=se\\,c\\\\ret"});

    ASSERT_EQ(options.cameras.size(), 1u);
    const EmulatedCamera& camera = options.cameras[0];
    EXPECT_EQ(camera.family, CameraFamily::Linux);
    EXPECT_EQ(camera.serial, "CAM001");
    EXPECT_EQ(camera.mac, (MacAddress{0x00, 0x11, 0x22, 0xAA, 0xBB, 0xCC}));
    EXPECT_EQ(
        camera.settings,
        (NetworkSettings{{192, 168, 0, 20}, {255, 255, 255, 0}, {192, 168, 0, 1}, {8, 8, 8, 8}}));
    EXPECT_EQ(camera.webPort, 8080);
    EXPECT_EQ(camera.carriedAddress, (Ipv4Address{192, 168, 0, 21}));
    EXPECT_EQ(camera.carriedPort, 554);
    EXPECT_EQ(camera.adminId, "admin");
    EXPECT_EQ(camera.adminPassword, "se,c\\ret");
    EXPECT_FALSE(options.burst);
    EXPECT_FALSE(options.durationSeconds);
}

TEST(CamsimOptionsTest, CamerasAreNumberedByTheirPlaceAndOmittedFieldsAreGenerated) {
    const auto options = parsed({"--linux", "2", "--camera", "family=vxworks,ip=10.0.0.5",
                                 "--vxworks=1", "--duration", "1.5"});

    ASSERT_EQ(options.cameras.size(), 4u);
    const CameraFamily families[] = {CameraFamily::Linux, CameraFamily::Linux,
                                     CameraFamily::VxWorks, CameraFamily::VxWorks};
    for (std::uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(options.cameras[i].family, families[i]);
        EXPECT_EQ(options.cameras[i].serial, generatedCamera(families[i], i + 1).serial);
        EXPECT_EQ(options.cameras[i].mac, generatedCamera(families[i], i + 1).mac);
    }
    EXPECT_EQ(options.cameras[0].settings.ip, (Ipv4Address{192, 168, 0, 20}));
    EXPECT_EQ(options.cameras[3].settings.ip, (Ipv4Address{192, 168, 0, 23}));
    // A camera given an address carries that address unless told otherwise.
    EXPECT_EQ(options.cameras[2].settings.ip, (Ipv4Address{10, 0, 0, 5}));
    EXPECT_EQ(options.cameras[2].carriedAddress, (Ipv4Address{10, 0, 0, 5}));
    EXPECT_EQ(options.durationSeconds, 1.5);
}

TEST(CamsimOptionsTest, IdAndPasswordDefaultsReachOnlyCamerasThatNameNone) {
    const auto options = parsed({"--camera", "family=linux,password=own", "--linux", "1",
                                 "--password", "shared", "--id", "boss"});

    ASSERT_EQ(options.cameras.size(), 2u);
    EXPECT_EQ(options.cameras[0].adminId, "boss");
    EXPECT_EQ(options.cameras[0].adminPassword, "own");
    EXPECT_EQ(options.cameras[1].adminId, "boss");
    EXPECT_EQ(options.cameras[1].adminPassword, "shared");
    EXPECT_EQ(parsed({"--vxworks", "1"}).cameras[0].adminPassword, "admin");
}

TEST(CamsimOptionsTest, BurstTakesCountRateAndFamily) {
    const auto paced = parsed({"--burst", "100000", "--rate", "67000", "--family", "mixed"});
    ASSERT_TRUE(paced.burst);
    EXPECT_EQ(paced.burst->count, 100000u);
    EXPECT_EQ(paced.burst->rate, 67000u);
    EXPECT_EQ(paced.burst->family, BurstFamily::Mixed);

    const auto fastest = parsed({"--burst=5", "--rate=max"});
    ASSERT_TRUE(fastest.burst);
    EXPECT_FALSE(fastest.burst->rate);
    EXPECT_EQ(fastest.burst->family, BurstFamily::Linux);
}

TEST(CamsimOptionsTest, HelpWinsOverWhatFollows) {
    EXPECT_TRUE(parsed({"--help", "--linux", "x"}).help);
    EXPECT_TRUE(parsed({"-h"}).help);
}

TEST(CamsimOptionsTest, BadCommandLinesAreRefusedNamingTheOption) {
    const struct {
        std::vector<std::string_view> args;
        std::string_view message;
    } cases[] = {
        {{"--linux"}, "--linux needs a value"},
        {{"--linux", "-1"}, "--linux: '-1' is not a whole number from 0 to 100000"},
        {{"--vxworks", "100001"}, "--vxworks: '100001' is not a whole number"},
        {{"--linux", "60000", "--vxworks", "50000"}, "--vxworks: more than 100000 cameras"},
        {{"--linux", "2x"}, "--linux: '2x'"},
        {{"--camera", "serial=X"}, "--camera: family=linux or family=vxworks is required"},
        {{"--camera", "family=solaris"}, "--camera: family 'solaris' is not linux or vxworks"},
        {{"--camera", "family=linux,mac=00:11:22:33:44"}, "--camera: mac '00:11:22:33:44'"},
        {{"--camera", "family=linux,mac=00-11-22-33-44-55"}, "--camera: mac '00-11-22-33-44-55'"},
        {{"--camera", "family=linux,ip=1.2.3"}, "--camera: ip '1.2.3' is not an IPv4 address"},
        {{"--camera", "family=linux,dns=1.2.3.256"}, "--camera: dns '1.2.3.256'"},
        {{"--camera", "family=linux,colour=red"}, "--camera: unknown field 'colour'"},
        {{"--camera", "family=linux,ip=1.2.3.4,ip=1.2.3.5"}, "--camera: field 'ip' is given twice"},
        {{"--camera", "family=linux,noequals"}, "--camera: 'noequals' is not a key=value field"},
        {{"--camera", "family=linux,"}, "--camera: '' is not a key=value field"},
        {{"--camera", "family=vxworks,carried-port=554"},
         "--camera: carried-port belongs to the linux family only"},
        {{"--camera", "family=linux,web-port=65536"}, "--camera web-port: '65536'"},
        {{"--camera", "family=vxworks,serial=ABCDEFGHIJKLM"},
         "--camera: serial 'ABCDEFGHIJKLM' is longer than 12 characters"},
        {{"--camera", "family=linux,serial=ABCDEFGHIJKLMNO"}, "is longer than 14 characters"},
        {{"--camera", "family=linux,id=ABCDEFGHIJK"},
         "--camera: id 'ABCDEFGHIJK' is longer than 10"},
        {{"--password", "ABCDEFGHIJK"}, "--password: password 'ABCDEFGHIJK' is longer than 10"},
        {{"--linux", "1", "--camera", "family=vxworks,mac=02:4E:4C:00:00:01"},
         "--camera: mac 02:4E:4C:00:00:01 is already camera 1's"},
        {{"--duration", "0"}, "--duration: '0' is not a number of seconds"},
        {{"--duration", "inf"}, "--duration: 'inf'"},
        {{"--duration", "1e300"}, "--duration: '1e300'"},
        {{"--burst", "0"}, "--burst: '0' is not a whole number from 1 to 1000000"},
        {{"--burst", "1000001"}, "--burst: '1000001'"},
        {{"--burst", "5", "--rate", "fast"}, "--rate: 'fast'"},
        {{"--burst", "5", "--rate", "0"}, "--rate: '0'"},
        {{"--burst", "5", "--family", "beos"}, "--family: 'beos' is not linux, vxworks or mixed"},
        {{"--burst", "5", "--camera", "family=linux"}, "--camera cannot be combined with --burst"},
        {{"--duration", "3", "--burst", "5"}, "--duration cannot be combined with --burst"},
        {{"--rate", "100"}, "--rate needs --burst"},
        {{"--family", "linux"}, "--family needs --burst"},
        {{"--frobnicate"}, "unknown option '--frobnicate'"},
        {{"stray"}, "unexpected argument 'stray'"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const auto result = parse(c.args);
        ASSERT_TRUE(std::holds_alternative<OptionError>(result));
        EXPECT_NE(std::get<OptionError>(result).message.find(c.message), std::string::npos)
            << std::get<OptionError>(result).message;
    }
}

} // namespace
} // namespace netlark
