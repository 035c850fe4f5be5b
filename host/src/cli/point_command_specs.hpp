// The commands of the measure points, each built in its own file; AddPointCommands lists them.
#pragma once

#include "cli/commands.hpp"

namespace planhost {

CommandSpec PlaceCommand();   // place_command.cpp
CommandSpec ListCommand();    // list_command.cpp
CommandSpec UndoCommand();    // undo_command.cpp
CommandSpec RenderCommand();  // render_command.cpp
CommandSpec DemoCommand();    // demo_command.cpp

}  // namespace planhost
