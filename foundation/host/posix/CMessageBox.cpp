#include "foundation/host/CMessageBox.h"

#include <cstdio>

namespace Orvalite::Host
{
void CMessageBox::showError(const char *title, const char *text)
{
    std::fprintf(stderr, "%s: %s\n", title ? title : "", text ? text : "");
}
} // namespace Orvalite::Host
