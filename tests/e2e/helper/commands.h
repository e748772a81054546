#pragma once

#include "common.h"

namespace e2e {

// The subcommands, each given the words after its name; main.cpp's usage text says what they take.
void serviceCommand(Arguments args);
void windowCommand(Arguments args);
void logoffCommand(Arguments args);
void messageBoxCommand(Arguments args);
void saveAsCommand(Arguments args);
void launchCommand(Arguments args);
void eventTextCommand(Arguments args);
void holdCommand(Arguments args);
void lockCommand(Arguments args);

} // namespace e2e
