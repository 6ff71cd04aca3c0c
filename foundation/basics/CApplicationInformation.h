// Module-wide identity of the running product (name, maker, kind, version,
// notice), the module's instance handle and the folder it was loaded from.
// Filled once by the module's load hook, released by its unload hook.
#pragma once

#include "foundation/basics/CSystemString.h"

namespace Orvalite::Basics
{
class CApplicationInformation
{
public:
    // `instance` identifies the module: on Linux any address inside it.
    static void setApplicationInformation(const char *company, const char *productName, const char *productType,
                                          const char *version, const char *registryPath, const char *notice,
                                          void *instance);
    // Destroys every stored text; getters start again from one blank.
    static void releaseApplicationInformation();

    // Each getter yields one blank until its item is set.
    static CString &getProductName();
    static CString &getCompanyName();
    static CString &getProductType();
    static CString &getVersionText();
    static CString &getRegistryPath();
    static CString &getNotice();
    // The module's folder, without a trailing separator.
    static CSystemString &getApplicationPath();
    static void *getInstance();

    static void setProductName(const char *text);
    static void setCompanyName(const char *text);
    static void setProductType(const char *text);
    static void setVersionText(const char *text);
    static void setRegistryPath(const char *text);
    static void setNotice(const char *text);

    // The folder of a module file: everything before its last separator when
    // that stands at index 2 or later, else the whole name.
    static CSystemString folderOfModule(const char *moduleFileName);

private:
    static void computeModuleFolder();
};
} // namespace Orvalite::Basics
