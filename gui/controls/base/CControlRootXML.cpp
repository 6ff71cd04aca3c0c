// The control root's XML: a "controls" node holding one "control" node per control.
#include "gui/controls/base/CControlRoot.h"

#include "foundation/io/CXMLDocument.h"
#include "foundation/io/CXMLNode.h"
#include "foundation/io/TraceLog.h"
#include "gui/controls/base/CControlFactory.h"
#include "gui/controls/base/IControl.h"

#include <cstdio>

namespace Orvalite::GUI::Controls
{
using IO::CXMLNode;
using IO::traceMessage;
using ::Orvalite::Basics::CString;

bool CControlRoot::readFromXML(const CXMLNode &node)
{
    if (node.getNodeName() != "controls" || !node.getAttribute("number_of_controls"))
    {
        traceMessage("%s", "The node name of a control root xml file must be \"controls\"");
        return false;
    }
    clearControls();
    for (long index = 0; index < node.getNumberOfChildNodes(); ++index)
    {
        const CXMLNode *child = node.getChildNode(index);
        if (child->getNodeName() != "control")
        {
            continue;
        }
        const CString type = child->getAttributeValue("type");
        IControl *control = nullptr;
        if (!CControlFactory::createControl(type, control, this))
        {
            traceMessage("Unknown control type \"%s\"", type.getString());
            return false;
        }
        // Held while it reads, so a control that fails is released, not leaked.
        control->referenced();
        const bool read = control->readFromXML(*child);
        if (read)
        {
            addControl(control);
        }
        control->dereference();
        if (!read)
        {
            traceMessage("A control of type \"%s\" could not read its XML", type.getString());
            return false;
        }
    }
    return true;
}

bool CControlRoot::serialiseToXML(CXMLNode &node)
{
    if (node.getNodeName() != "controls")
    {
        traceMessage("%s", "The node name of a control root xml file must be \"controls\"");
        return false;
    }
    long written = 0;
    for (IControl *control : m_controls)
    {
        if (!control || control->isExcludedFromXML())
        {
            continue;
        }
        CXMLNode *child = node.addChildNode("control");
        child->addAttribute("type", control->getClass().getClassName());
        if (!control->serialiseToXML(*child))
        {
            return false;
        }
        ++written;
    }
    node.addAttribute("number_of_controls", CString(std::to_string(written).c_str()));
    return true;
}

bool CControlRoot::loadFromXMLFile(const CString &path)
{
    auto *document = new IO::CXMLDocument();
    document->referenced();
    const bool loaded = document->readFile(path) && document->getRootNode() && readFromXML(*document->getRootNode());
    document->dereference();
    return loaded;
}

bool CControlRoot::saveToXMLFile(const CString &path)
{
    auto *document = new IO::CXMLDocument();
    document->referenced();
    document->setRootNode(new CXMLNode("controls"));
    CString temporary(path);
    temporary += ".tmp";
    bool saved = serialiseToXML(*document->getRootNode()) && document->writeFile(temporary);
    document->dereference();
    // The good file is replaced only by a complete one.
    saved = saved && std::rename(temporary.getString(), path.getString()) == 0;
    if (!saved)
    {
        std::remove(temporary.getString());
    }
    return saved;
}
} // namespace Orvalite::GUI::Controls
