#include "tools/camsim/camsim_usage.h"

namespace netlark {

std::string_view camsimUsage() {
    return R"(Usage: netlark-camsim [OPTION]...
Emulates Linux- and VxWorks-family IP cameras for Netlark's tests, benchmarks and
demos. Listens on UDP 0.0.0.0:7890, answers discovery and change requests with
broadcasts to 255.255.255.255:1168, and prints every request it receives as one
JSON line on stdout. Run it inside a private network namespace
(tests/lab/netns-run), never on a real network.

Cameras (serving mode; without any, requests are only logged):
  --camera FIELDS     add one camera. FIELDS is a comma-separated list of key=value;
                      a backslash takes the next character literally (\, \\):
                        family=linux|vxworks  required
                        serial=TEXT           at most 14 characters (linux), 12 (vxworks)
                        mac=XX:XX:XX:XX:XX:XX unique among all cameras
                        ip=, mask=, gateway=, dns=, carried=   IPv4 addresses
                        web-port=, carried-port=   0-65535, linux only
                        id=, password=        at most 10 characters
                      omitted fields take generated values (below); carried
                      defaults to ip, web-port to 80, carried-port to 554
  --linux N           add N generated Linux cameras
  --vxworks N         add N generated VxWorks cameras
  --id TEXT           admin ID of cameras that do not name one (default admin)
  --password TEXT     admin password of cameras that do not name one (default admin)
  --duration SECONDS  stop after SECONDS (default: until SIGINT or SIGTERM)

Burst mode (sends announcements, prints one JSON line, exits):
  --burst N           broadcast N announcements of distinct generated cameras
                      (1 to 1000000) to 255.255.255.255:1168
  --rate R|max        datagrams per second, paced by absolute deadlines (default max)
  --family F          linux, vxworks or mixed (alternating); default linux
                      The line: {"event":"burst","family":..,"requested":N,"sent":N,
                      "elapsed_s":S,"rate":(sent - 1) / S,"target_rate":R|"max",
                      "retries":full-buffer waits[,"stopped_by":"signal"]}

  -h, --help          show this text and exit

Cameras are numbered by their place on the command line (--linux N and
--vxworks N add N places), at most 100000. Camera k gets serial CAM<k, 6 digits>,
MAC 02:4E:4C plus k in three bytes, IP 192.168.0.20 + (k - 1), mask 255.255.255.0,
gateway and DNS 192.168.0.1. Options take their value as the next argument or
after '='. Example:
  netlark-camsim --linux 2 --camera family=vxworks,serial=VX1,password=secret

Log lines: {"event":"ready",...} once bound, one line per received datagram
({"family":..,"op":"discover"|"set_network"|"unexpected"|"dropped"|
"checksum_failure",..} or {"op":"ignored","length":N}), {"event":"stopped",..}.

Exit status: 0 when stopped by SIGINT, SIGTERM or --duration, or after a burst;
1 when the socket fails; 2 on a bad command line.
)";
}

} // namespace netlark
