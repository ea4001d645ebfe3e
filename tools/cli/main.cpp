// zefra: a controller from the shell, through the library. One connection per run: connect,
// one sub-command, disconnect. See README.md ("The zefra command").
#include <arpa/inet.h>

#include <CLI/CLI.hpp>

#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "commands.h"

namespace {

const char kFooter[] =
    "connection options (--host, --port, --slot, --timeout) and --json go before or after\n"
    "the sub-command; ZEFRA_HOST and ZEFRA_PORT set the address when the options are absent.\n"
    "exit status: 0 done, 2 usage error, 3 controller refused, 4 communication failure,\n"
    "             5 bad argument, 6 reply not understood";

std::atomic<bool> stopRequested{false};

void onSignal(int) { stopRequested = true; }

}  // namespace

namespace zcli {

bool interrupted() { return stopRequested.load(); }

// Sleeps, waking early when the run is interrupted; false once it is.
bool pause(double seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!interrupted() && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return !interrupted();
}

}  // namespace zcli

int main(int argc, char** argv) {
    using namespace zcli;
    CLI::App app{"Drive a robot controller through the ZEFRAAPI library.", "zefra"};
    app.footer(kFooter);
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.require_subcommand(1);
    app.fallthrough();
    app.set_version_flag("--version", "zefra " ZEFRA_VERSION);

    Connection conn;
    bool json = false;
    app.add_option("--host", conn.host, "controller address, IPv4")->envname("ZEFRA_HOST")->capture_default_str();
    app.add_option("--port", conn.port, "controller TCP port")->envname("ZEFRA_PORT")->capture_default_str();
    app.add_option("--slot", conn.slot, "connection slot of the library, 0..9")->capture_default_str();
    app.add_option("--timeout", conn.timeout, "seconds to wait for each reply")->capture_default_str();
    app.add_flag("--json", json, "print one JSON document per result");

    Command command;
    addCommands(app, command);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        // help() follows the sub-commands the parser reached: the usage that applies.
        std::fprintf(stderr, "zefra: %s\n\n%s", e.what(), app.help().c_str());
        return kExitUsage;
    }

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    int status = kExitOk;
    bool connected = false;
    try {
        if (command.needsController) {
            connect(conn);
            connected = true;
        }
        command.run(conn.slot, json);
    } catch (const Failure& failure) {
        // A failure caused by the interruption itself is no failure of the run.
        if (!interrupted()) {
            emitFailure(failure, json);
            status = exitStatus(failure.rc);
        }
    }
    if (connected) ZEFRA_Exit_ETH(conn.slot);
    return status;
}
