// Helpers shared by the XML tests: a one-line picture of a tree and a thread
// with a small stack to prove that deep trees need none.
#pragma once

#include "foundation/io/CXMLNode.h"

#include <functional>
#include <pthread.h>
#include <string>

namespace Orvalite::Testing
{
// name[attribute=value,…](child;child…), or "-" for no node.
inline std::string describe(const IO::CXMLNode *node)
{
    if (!node)
    {
        return "-";
    }
    std::string text = node->getNodeName().getString();
    if (node->getNumberOfAttributes() > 0)
    {
        text += '[';
        for (long index = 0; index < node->getNumberOfAttributes(); ++index)
        {
            const IO::CXMLAttribute *attribute = node->getAttribute(index);
            text += std::string(index > 0 ? "," : "") + attribute->getName().getString() + "=" +
                    attribute->getValue().getString();
        }
        text += ']';
    }
    if (node->getNumberOfChildNodes() > 0)
    {
        text += '(';
        for (long index = 0; index < node->getNumberOfChildNodes(); ++index)
        {
            text += (index > 0 ? ";" : "") + describe(node->getChildNode(index));
        }
        text += ')';
    }
    return text;
}

// Runs `work` on a thread whose stack is far too small for one frame per tree
// level, so recursion over a deep tree crashes instead of passing unnoticed.
inline bool runOnSmallStack(const std::function<void()> &work)
{
    constexpr size_t STACK_SIZE = 256 * 1024;
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, STACK_SIZE);
    pthread_t thread;
    const auto body = [](void *argument) -> void * {
        (*static_cast<const std::function<void()> *>(argument))();
        return nullptr;
    };
    const bool started = pthread_create(&thread, &attributes, body, const_cast<std::function<void()> *>(&work)) == 0;
    pthread_attr_destroy(&attributes);
    return started && pthread_join(thread, nullptr) == 0;
}
} // namespace Orvalite::Testing
