#include "gui/windowing/x11/CX11DropTarget.h"

#include "gui/windowing/x11/CX11UriList.h"

#include <X11/Xatom.h>

#include <climits>

namespace Orvalite::GUI::Windowing
{
namespace
{
// Bit 0 of an enter message's second word: the source lists more than three types in XdndTypeList.
constexpr long MORE_THAN_THREE_TYPES = 1;
} // namespace

void CX11DropTarget::makeAware(const CX11Connection &connection, Window window)
{
    const Atom version = VERSION;
    XChangeProperty(connection.getDisplay(), window, connection.getAtoms().xdndAware, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char *>(&version), 1);
}

bool CX11DropTarget::handleClientMessage(const CX11Connection &connection, const XClientMessageEvent &event,
                                         bool accepting)
{
    const CX11Connection::SAtoms &atoms = connection.getAtoms();
    if (event.message_type == atoms.xdndEnter)
    {
        enter(connection, event, accepting);
    }
    else if (event.message_type == atoms.xdndPosition)
    {
        answerPosition(connection, event);
    }
    else if (event.message_type == atoms.xdndDrop)
    {
        drop(connection, event);
    }
    else if (event.message_type == atoms.xdndLeave)
    {
        forget(event.window);
    }
    else
    {
        return false;
    }
    return true;
}

bool CX11DropTarget::handleSelection(const CX11Connection &connection, const XSelectionEvent &event, SDrop &dropOut)
{
    if (event.requestor != m_target || event.selection != connection.getAtoms().xdndSelection)
    {
        return false;
    }
    dropOut.window = m_target;
    dropOut.files = event.property == None ? std::vector<std::string>{} : CX11UriList::toPaths(readUriList(connection));
    int x = 0;
    int y = 0;
    Window child = None;
    XTranslateCoordinates(connection.getDisplay(), connection.getRoot(), m_target, m_rootX, m_rootY, &x, &y, &child);
    dropOut.x = x;
    dropOut.y = y;
    const bool accepted = !dropOut.files.empty();
    sendToSource(connection, connection.getAtoms().xdndFinished, accepted ? 1 : 0,
                 accepted ? connection.getAtoms().xdndActionCopy : None);
    forget(m_target);
    return accepted;
}

void CX11DropTarget::forget(Window window)
{
    if (window == m_target)
    {
        m_target = None;
        m_source = None;
        m_acceptable = false;
    }
}

void CX11DropTarget::enter(const CX11Connection &connection, const XClientMessageEvent &event, bool accepting)
{
    m_target = event.window;
    m_source = static_cast<Window>(event.data.l[0]);
    m_acceptable = accepting && offersUriList(connection, event);
}

void CX11DropTarget::answerPosition(const CX11Connection &connection, const XClientMessageEvent &event)
{
    if (event.window != m_target)
    {
        return;
    }
    m_rootX = static_cast<int>((event.data.l[2] >> 16) & 0xFFFF);
    m_rootY = static_cast<int>(event.data.l[2] & 0xFFFF);
    sendToSource(connection, connection.getAtoms().xdndStatus, m_acceptable ? 1 : 0,
                 m_acceptable ? connection.getAtoms().xdndActionCopy : None);
}

void CX11DropTarget::drop(const CX11Connection &connection, const XClientMessageEvent &event)
{
    if (event.window != m_target)
    {
        return;
    }
    if (!m_acceptable)
    {
        sendToSource(connection, connection.getAtoms().xdndFinished, 0, None);
        forget(m_target);
        return;
    }
    // The data arrives as a SelectionNotify, handled by handleSelection.
    const CX11Connection::SAtoms &atoms = connection.getAtoms();
    XConvertSelection(connection.getDisplay(), atoms.xdndSelection, atoms.uriList, atoms.xdndSelection, m_target,
                      static_cast<Time>(event.data.l[2]));
}

bool CX11DropTarget::offersUriList(const CX11Connection &connection, const XClientMessageEvent &event) const
{
    const Atom uriList = connection.getAtoms().uriList;
    if (!(event.data.l[1] & MORE_THAN_THREE_TYPES))
    {
        return static_cast<Atom>(event.data.l[2]) == uriList || static_cast<Atom>(event.data.l[3]) == uriList ||
               static_cast<Atom>(event.data.l[4]) == uriList;
    }
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    XGetWindowProperty(connection.getDisplay(), m_source, connection.getAtoms().xdndTypeList, 0, LONG_MAX / 4, False,
                       XA_ATOM, &type, &format, &count, &remaining, &data);
    bool found = false;
    for (unsigned long i = 0; data && format == 32 && i < count; ++i)
    {
        found = found || reinterpret_cast<const Atom *>(data)[i] == uriList;
    }
    if (data)
    {
        XFree(data);
    }
    return found;
}

void CX11DropTarget::sendToSource(const CX11Connection &connection, Atom type, long accepted, Atom action)
{
    XEvent reply{};
    reply.xclient.type = ClientMessage;
    reply.xclient.display = connection.getDisplay();
    reply.xclient.window = m_source;
    reply.xclient.message_type = type;
    reply.xclient.format = 32;
    reply.xclient.data.l[0] = static_cast<long>(m_target);
    reply.xclient.data.l[1] = accepted;
    // A status names the action in its last word, a finished message in its third.
    reply.xclient.data.l[type == connection.getAtoms().xdndStatus ? 4 : 2] = static_cast<long>(action);
    XSendEvent(connection.getDisplay(), m_source, False, NoEventMask, &reply);
}

std::string CX11DropTarget::readUriList(const CX11Connection &connection)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char *data = nullptr;
    XGetWindowProperty(connection.getDisplay(), m_target, connection.getAtoms().xdndSelection, 0, LONG_MAX / 4, True,
                       AnyPropertyType, &type, &format, &count, &remaining, &data);
    std::string text = data && format == 8 ? std::string(reinterpret_cast<const char *>(data), count) : std::string();
    if (data)
    {
        XFree(data);
    }
    return text;
}
} // namespace Orvalite::GUI::Windowing
