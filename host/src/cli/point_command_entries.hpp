// The commands of the measure points, each built in its own file; AddPointCommands lists them.
#pragma once

#include "cli/commands.hpp"

namespace planhost {

CommandEntry PlaceCommand();   // place_command.cpp
CommandEntry ListCommand();    // list_command.cpp
CommandEntry UndoCommand();    // undo_command.cpp
CommandEntry RenderCommand();  // render_command.cpp
CommandEntry DemoCommand();    // demo_command.cpp

}  // namespace planhost
