// The sub-commands and the connection they run on.
#pragma once

#include <CLI/CLI.hpp>

#include <functional>
#include <string>

#include "report.h"

namespace zcli {

// zefra-sim listens on 127.0.0.1; 6000 is the port the README starts it on.
struct Connection {
    std::string host = "127.0.0.1";
    int port = 6000;
    int slot = 0;
    int timeout = 3;
};

struct Command {
    bool needsController = true;
    std::function<void(int32_t slot, bool json)> run;
};

void connect(const Connection& conn);
void addCommands(CLI::App& app, Command& command);

// From main: whether SIGINT/SIGTERM arrived, and a sleep that ends early when one does.
bool interrupted();
bool pause(double seconds);

}  // namespace zcli
