#pragma once
// Every command reaches its own handler through one table.
#include <string>

#include "app/object_ids.h"

namespace app {

using CommandHandler = void (*)();

// The handler of a command number, or null for numbers that name no command.
CommandHandler commandHandler(unsigned commandId);

void dispatchCommand(unsigned commandId);
void closeRequested(WindowNumber window);
void trayAction(unsigned type);
void controlNotified(int control, unsigned code);
void fileDropped(const std::string& path);
bool sessionEndQueried();
void sessionEnds();

}  // namespace app
