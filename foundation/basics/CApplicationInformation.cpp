#include "foundation/basics/CApplicationInformation.h"

#include "foundation/host/CModuleFile.h"
#include "foundation/host/CProcessorFeatures.h"

namespace Orvalite::Basics
{
namespace
{
// Plain pointers on purpose: the store has no destructor of its own, because the
// module's unload hook releases it after static destructors may already have run.
struct SStore
{
    CString *productName;
    CString *companyName;
    CString *productType;
    CString *versionText;
    CString *registryPath;
    CString *notice;
    CSystemString *moduleFolder;
    void *instance;
};

SStore s_store = {};

// Creates the item with one blank on first use.
template <class TText> TText &item(TText *&slot)
{
    if (!slot)
    {
        slot = new TText();
    }
    return *slot;
}

template <class TText> void release(TText *&slot)
{
    delete slot;
    slot = nullptr;
}
} // namespace

void CApplicationInformation::setApplicationInformation(const char *company, const char *productName,
                                                        const char *productType, const char *version,
                                                        const char *registryPath, const char *notice, void *instance)
{
    s_store.instance = instance;
    setCompanyName(company);
    setProductName(productName);
    setProductType(productType);
    setVersionText(version);
    setRegistryPath(registryPath);
    setNotice(notice);
    computeModuleFolder();
    Host::CProcessorFeatures::detectFeatures();
}

void CApplicationInformation::releaseApplicationInformation()
{
    release(s_store.productName);
    release(s_store.companyName);
    release(s_store.productType);
    release(s_store.versionText);
    release(s_store.registryPath);
    release(s_store.notice);
    release(s_store.moduleFolder);
    s_store.instance = nullptr;
}

CString &CApplicationInformation::getProductName()
{
    return item(s_store.productName);
}

CString &CApplicationInformation::getCompanyName()
{
    return item(s_store.companyName);
}

CString &CApplicationInformation::getProductType()
{
    return item(s_store.productType);
}

CString &CApplicationInformation::getVersionText()
{
    return item(s_store.versionText);
}

CString &CApplicationInformation::getRegistryPath()
{
    return item(s_store.registryPath);
}

CString &CApplicationInformation::getNotice()
{
    return item(s_store.notice);
}

CSystemString &CApplicationInformation::getApplicationPath()
{
    return item(s_store.moduleFolder);
}

void *CApplicationInformation::getInstance()
{
    return s_store.instance;
}

void CApplicationInformation::setProductName(const char *text)
{
    getProductName().setString(text);
}

void CApplicationInformation::setCompanyName(const char *text)
{
    getCompanyName().setString(text);
}

void CApplicationInformation::setProductType(const char *text)
{
    getProductType().setString(text);
}

void CApplicationInformation::setVersionText(const char *text)
{
    getVersionText().setString(text);
}

void CApplicationInformation::setRegistryPath(const char *text)
{
    getRegistryPath().setString(text);
}

void CApplicationInformation::setNotice(const char *text)
{
    getNotice().setString(text);
}

CSystemString CApplicationInformation::folderOfModule(const char *moduleFileName)
{
    CSystemString folder(moduleFileName);
    folder.removeLastPathComponent();
    return folder;
}

void CApplicationInformation::computeModuleFolder()
{
    getApplicationPath().setString(folderOfModule(Host::CModuleFile::getModuleFileName(s_store.instance).c_str()));
}
} // namespace Orvalite::Basics
