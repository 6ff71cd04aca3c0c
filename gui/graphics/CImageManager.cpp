#include "gui/graphics/CImageManager.h"

#include "foundation/collections/TCountedObjectDeleter.h"
#include "foundation/io/CTextStream.h"
#include "foundation/io/CXMLDocument.h"
#include "foundation/io/TraceLog.h"
#include "gui/graphics/ImageFactory.h"

#include <vector>

namespace Orvalite::GUI::Graphics
{
using Collections::TCountedObjectDeleter;
using Collections::TPointerCollection;
using IO::CXMLNode;
using Orvalite::Basics::CString;
using Orvalite::Basics::CSystemString;
using CImageReference = CImageManager::CImageReference;
using CAnimationReference = CImageManager::CAnimationReference;

ORVALITE_DEFINE_CLASS_RECORD(CImageReference, "CImageManager::CImageReference", "CCountedObject")
ORVALITE_DEFINE_CLASS_RECORD(CAnimationReference, "CImageManager::CAnimationReference", "CCountedObject")

CImageManager::TImageList *CImageManager::s_images = nullptr;
CImageManager::TAnimationList *CImageManager::s_animations = nullptr;
CSystemString *CImageManager::s_rootPath = nullptr;

namespace
{
enum ESection
{
    e_noSection,
    e_imageSection,
    e_animationSection,
};

constexpr long IMAGE_FIELDS = 3;
constexpr long ANIMATION_FIELDS = 5;
// Frame height or count that asks for square frames derived from the image.
constexpr long DERIVED = -1;

// The fields of a line between ',' separators, each trimmed; empty fields count.
std::vector<CString> splitFields(const CString &line)
{
    std::vector<CString> fields(1, CString(""));
    for (const char *character = line.getString(); *character; ++character)
    {
        if (*character == ',')
        {
            fields.emplace_back("");
        }
        else
        {
            fields.back().appendString(*character);
        }
    }
    for (CString &field : fields)
    {
        field.removeTrailingAndLeadingWhiteSpace();
    }
    return fields;
}
} // namespace

CImageReference::CImageReference(IImage *image, const CString &referenceName, const CSystemString &relativePath,
                                 const CSystemString &fileName)
    : m_image(image), m_referenceName(referenceName), m_relativePath(relativePath), m_fileName(fileName)
{
    if (m_image)
    {
        m_image->referenced();
    }
}

CImageReference::~CImageReference()
{
    if (m_image)
    {
        m_image->dereference();
    }
}

CAnimationReference::CAnimationReference(CImageReference *imageReference, long frameHeight, long numberOfFrames)
    : m_imageReference(imageReference), m_frameHeight(frameHeight), m_numberOfFrames(numberOfFrames)
{
    m_imageReference->referenced();
}

CAnimationReference::~CAnimationReference()
{
    m_imageReference->dereference();
}

void CImageManager::initialise()
{
    if (!s_images)
    {
        s_images = new TImageList(&TCountedObjectDeleter<CImageReference>::shared());
    }
    if (!s_animations)
    {
        s_animations = new TAnimationList(&TCountedObjectDeleter<CAnimationReference>::shared());
    }
    if (!s_rootPath)
    {
        s_rootPath = new CSystemString("");
    }
}

void CImageManager::destroy()
{
    delete s_images;
    delete s_animations;
    delete s_rootPath;
    s_images = nullptr;
    s_animations = nullptr;
    s_rootPath = nullptr;
}

void CImageManager::clear()
{
    if (s_images)
    {
        s_images->clearArray();
    }
    if (s_animations)
    {
        s_animations->clearArray();
    }
}

void CImageManager::setRootPath(const CSystemString &path)
{
    initialise();
    *s_rootPath = path;
}

CSystemString CImageManager::getRootPath()
{
    return s_rootPath ? *s_rootPath : CSystemString("");
}

CImageReference *CImageManager::makeImageReference(const CString &relativePath, const CString &fileName,
                                                   const CString &referenceName)
{
    initialise();
    CSystemString folder(*s_rootPath);
    if (!relativePath.equals(ROOT_FOLDER))
    {
        folder = joinImagePath(folder, relativePath);
    }
    IImage *image = createImage(folder, fileName);
    return image ? new CImageReference(image, referenceName, relativePath, fileName) : nullptr;
}

bool CImageManager::addImage(const CString &relativePath, const CString &fileName, const CString &referenceName)
{
    CImageReference *reference = makeImageReference(relativePath, fileName, referenceName);
    if (!reference)
    {
        return false;
    }
    s_images->addElement(reference);
    return true;
}

bool CImageManager::addAnimation(const CString &relativePath, const CString &fileName, const CString &referenceName,
                                 long frameHeight, long numberOfFrames)
{
    CImageReference *reference = makeImageReference(relativePath, fileName, referenceName);
    if (!reference)
    {
        return false;
    }
    if (frameHeight == DERIVED || numberOfFrames == DERIVED)
    {
        const MathTools::CDimension &size = reference->getImage()->getImageSize();
        frameHeight = size.getWidth();
        numberOfFrames = size.getWidth() > 0 ? size.getHeight() / size.getWidth() : 0;
    }
    if (frameHeight < 1 || numberOfFrames < 1)
    {
        // Nothing holds the reference yet: one counted round trip frees it and its image.
        reference->referenced();
        reference->dereference();
        return false;
    }
    s_animations->addElement(new CAnimationReference(reference, frameHeight, numberOfFrames));
    return true;
}

IImage *CImageManager::getImage(const CString &referenceName)
{
    CImageReference *reference = getImageReference(referenceName);
    return reference ? reference->getImage() : nullptr;
}

IImage *CImageManager::getAnimation(const CString &referenceName, long &frameHeightOut, long &numberOfFramesOut)
{
    CAnimationReference *reference = getAnimationReference(referenceName);
    if (!reference)
    {
        return nullptr;
    }
    frameHeightOut = reference->getFrameHeight();
    numberOfFramesOut = reference->getNumberOfFrames();
    return reference->getImage();
}

CImageReference *CImageManager::getImageReference(const CString &referenceName)
{
    for (long index = 0; s_images && index < s_images->getArraySize(); ++index)
    {
        CImageReference *reference = s_images->getElementAtIndex(index);
        if (reference && reference->getReferenceName().equals(referenceName))
        {
            return reference;
        }
    }
    return nullptr;
}

CAnimationReference *CImageManager::getAnimationReference(const CString &referenceName)
{
    for (long index = 0; s_animations && index < s_animations->getArraySize(); ++index)
    {
        CAnimationReference *reference = s_animations->getElementAtIndex(index);
        if (reference && reference->getReferenceName().equals(referenceName))
        {
            return reference;
        }
    }
    return nullptr;
}

CString CImageManager::getReferenceName(const IImage *image)
{
    for (long index = 0; image && s_images && index < s_images->getArraySize(); ++index)
    {
        const CImageReference *reference = s_images->getElementAtIndex(index);
        if (reference && reference->getImage() == image)
        {
            return reference->getReferenceName();
        }
    }
    for (long index = 0; image && s_animations && index < s_animations->getArraySize(); ++index)
    {
        const CAnimationReference *reference = s_animations->getElementAtIndex(index);
        if (reference && reference->getImage() == image)
        {
            return reference->getReferenceName();
        }
    }
    return CString("");
}

void CImageManager::getImageNames(TPointerCollection<CString> &names)
{
    for (long index = 0; s_images && index < s_images->getArraySize(); ++index)
    {
        if (const CImageReference *reference = s_images->getElementAtIndex(index))
        {
            names.addElement(new CString(reference->getReferenceName()));
        }
    }
}

void CImageManager::getAnimationNames(TPointerCollection<CString> &names)
{
    for (long index = 0; s_animations && index < s_animations->getArraySize(); ++index)
    {
        if (const CAnimationReference *reference = s_animations->getElementAtIndex(index))
        {
            names.addElement(new CString(reference->getReferenceName()));
        }
    }
}

void CImageManager::getAllNames(TPointerCollection<CString> &names)
{
    getImageNames(names);
    getAnimationNames(names);
}

bool CImageManager::loadFromDefinitionFile(const CSystemString &path)
{
    try
    {
        bool isDefinitionText = false;
        const bool loaded = readDefinitionText(path, isDefinitionText);
        return isDefinitionText ? loaded : loadFromXMLFile(path);
    }
    catch (...)
    {
        IO::traceMessage("%s", "Caught unknown exception in the ImageManager::loadFromDefinitionFile function");
        return false;
    }
}

bool CImageManager::readDefinitionText(const CSystemString &path, bool &isDefinitionText)
{
    IO::CTextStream stream;
    if (!stream.openStream(path, IO::CTextStream::MODE_READ))
    {
        return false;
    }
    CString line("");
    stream >> line;
    isDefinitionText = line.equals("<start_skin>");
    bool loaded = true;
    long section = e_noSection;
    while (isDefinitionText && !stream.isEndOfStream())
    {
        line = "";
        stream >> line;
        line.removeTrailingAndLeadingWhiteSpace();
        if (line.characterAt(0) == '#')
        {
            continue;
        }
        if (line.equals("<end_skin>"))
        {
            break;
        }
        if (line.equals("<images>") || line.equals("<animations>"))
        {
            section = line.equals("<images>") ? e_imageSection : e_animationSection;
            continue;
        }
        loaded = readDefinitionLine(line, section) && loaded;
    }
    return loaded;
}

bool CImageManager::readDefinitionLine(const CString &line, long section)
{
    switch (section)
    {
    case e_imageSection:
        return readImageLine(line);
    case e_animationSection:
        return readAnimationLine(line);
    default:
        IO::traceMessage("Unknown line with buffer %s", line.getString());
        return true;
    }
}

bool CImageManager::readImageLine(const CString &line)
{
    const std::vector<CString> fields = splitFields(line);
    if (static_cast<long>(fields.size()) != IMAGE_FIELDS)
    {
        IO::traceMessage("Failed to load image with buffer %s", line.getString());
        return false;
    }
    if (!addImage(fields[0], fields[1], fields[2]))
    {
        IO::traceMessage("Failed to load image with filename %s", fields[1].getString());
        return false;
    }
    return true;
}

bool CImageManager::readAnimationLine(const CString &line)
{
    const std::vector<CString> fields = splitFields(line);
    if (static_cast<long>(fields.size()) != ANIMATION_FIELDS ||
        !addAnimation(fields[0], fields[1], fields[2], CString::toLong(fields[3]), CString::toLong(fields[4])))
    {
        IO::traceMessage("Failed to load animation with buffer %s", line.getString());
        return false;
    }
    return true;
}

bool CImageManager::loadFromXMLFile(const CSystemString &path)
{
    IO::CXMLDocument document;
    if (!document.readFile(path))
    {
        return false;
    }
    const CXMLNode *root = document.getRootNode();
    if (!root || !root->getNodeName().equals("image_manager_root"))
    {
        return false;
    }
    readXMLImages(root->getChildNode(CString("images")));
    readXMLAnimations(root->getChildNode(CString("animations")));
    return true;
}

void CImageManager::readXMLImages(const CXMLNode *images)
{
    for (long index = 0; images && index < images->getNumberOfChildNodes(); ++index)
    {
        const CXMLNode *entry = images->getChildNode(index);
        const CString fileName = entry->getAttributeValue(CString("filename"));
        if (!addImage(entry->getAttributeValue(CString("relative_path")), fileName,
                      entry->getAttributeValue(CString("reference_name"))))
        {
            IO::traceMessage("Failed to load image with filename %s", fileName.getString());
        }
    }
}

void CImageManager::readXMLAnimations(const CXMLNode *animations)
{
    for (long index = 0; animations && index < animations->getNumberOfChildNodes(); ++index)
    {
        const CXMLNode *entry = animations->getChildNode(index);
        const CString fileName = entry->getAttributeValue(CString("filename"));
        if (!addAnimation(entry->getAttributeValue(CString("relative_path")), fileName,
                          entry->getAttributeValue(CString("reference_name")),
                          CString::toLong(entry->getAttributeValue(CString("frame_height"))),
                          CString::toLong(entry->getAttributeValue(CString("number_of_frames")))))
        {
            IO::traceMessage("Failed to load animation with filename %s", fileName.getString());
        }
    }
}

void CImageManager::writeReferenceAttributes(CXMLNode &node, const CImageReference &reference)
{
    node.addAttribute(CString("relative_path"), reference.getRelativePath());
    node.addAttribute(CString("filename"), reference.getFileName());
    node.addAttribute(CString("reference_name"), reference.getReferenceName());
}

bool CImageManager::writeToXMLFile(const CSystemString &path)
{
    IO::CXMLDocument document;
    document.setRootNode(new CXMLNode(CString("image_manager_root")));
    CXMLNode *images = document.getRootNode()->addChildNode(CString("images"));
    CXMLNode *animations = document.getRootNode()->addChildNode(CString("animations"));
    for (long index = 0; s_images && index < s_images->getArraySize(); ++index)
    {
        if (const CImageReference *reference = s_images->getElementAtIndex(index))
        {
            writeReferenceAttributes(*images->addChildNode(CString("image")), *reference);
        }
    }
    for (long index = 0; s_animations && index < s_animations->getArraySize(); ++index)
    {
        if (const CAnimationReference *reference = s_animations->getElementAtIndex(index))
        {
            CXMLNode *entry = animations->addChildNode(CString("image"));
            writeReferenceAttributes(*entry, *reference->getImageReference());
            entry->addAttribute(CString("frame_height"), CString::fromLong(reference->getFrameHeight()));
            entry->addAttribute(CString("number_of_frames"), CString::fromLong(reference->getNumberOfFrames()));
        }
    }
    return document.writeFile(path);
}
} // namespace Orvalite::GUI::Graphics
