// The receiving side of XDND (version 5) for our windows that accept files:
// answers a source's enter, position and drop, fetches its text/uri-list and
// hands back the dropped files. One drag at a time, as X has one pointer.
// Owned by CX11WindowSystem.
#pragma once

#include "gui/windowing/x11/CX11Connection.h"

#include <X11/Xlib.h>

#include <string>
#include <vector>

namespace Orvalite::GUI::Windowing
{
class CX11DropTarget
{
public:
    struct SDrop
    {
        Window window = None;
        // Client coordinates of the drop point.
        long x = 0;
        long y = 0;
        std::vector<std::string> files;
    };

    static constexpr long VERSION = 5;

    // Marks the window as one XDND sources may drop on.
    static void makeAware(const CX11Connection &connection, Window window);

    // Handles an XDND client message sent to one of our windows; false for any
    // other message. Drops are refused for a window that does not accept files.
    bool handleClientMessage(const CX11Connection &connection, const XClientMessageEvent &event, bool accepting);
    // Handles the arrival of the dropped data; true with the drop filled when it held files.
    bool handleSelection(const CX11Connection &connection, const XSelectionEvent &event, SDrop &dropOut);
    // Forgets a drag over a window that is going away.
    void forget(Window window);

private:
    void enter(const CX11Connection &connection, const XClientMessageEvent &event, bool accepting);
    void answerPosition(const CX11Connection &connection, const XClientMessageEvent &event);
    void drop(const CX11Connection &connection, const XClientMessageEvent &event);
    bool offersUriList(const CX11Connection &connection, const XClientMessageEvent &event) const;
    void sendToSource(const CX11Connection &connection, Atom type, long accepted, Atom action);
    std::string readUriList(const CX11Connection &connection);

    Window m_target = None;
    Window m_source = None;
    bool m_acceptable = false;
    int m_rootX = 0;
    int m_rootY = 0;
};
} // namespace Orvalite::GUI::Windowing
