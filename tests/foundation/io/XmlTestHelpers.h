// Helpers shared by the XML tests: a one-line picture of a tree and a small-stack thread for deep trees.
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
        return "-";
    std::string attributes, children;
    for (long index = 0; index < node->getNumberOfAttributes(); ++index)
        attributes += std::string(index > 0 ? "," : "[") + node->getAttribute(index)->getName().getString() + "=" +
                      node->getAttribute(index)->getValue().getString();
    for (long index = 0; index < node->getNumberOfChildNodes(); ++index)
        children += (index > 0 ? ";" : "(") + describe(node->getChildNode(index));
    return node->getNodeName().getString() + attributes + (attributes.empty() ? "" : "]") + children +
           (children.empty() ? "" : ")");
}

// Runs `work` on a thread with a stack too small for one frame per tree level, so recursion would crash.
inline bool runOnSmallStack(const std::function<void()> &work)
{
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 256 * 1024);
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
