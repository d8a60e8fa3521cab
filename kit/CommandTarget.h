// Command routing: a command is offered to the view first, then to the frame.
#pragma once

#include <QString>

namespace appkit {

// What a menu item or toolbar button shows for a command right now.
struct CommandState {
    bool enabled = true;
    bool checked = false;
    QString text;  // empty: keep the current text
};

class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // True when the command was handled here.
    virtual bool OnCommand(int id) = 0;
    // True when this target owns the command and filled its state.
    virtual bool OnUpdateCommand(int id, CommandState& state) = 0;
};

}  // namespace appkit
