// The process-wide registry of named images and animations (film strips),
// filled in code or from a skin definition file. All static: created when the
// library loads (initialise) and freed when it unloads (destroy).
#pragma once

#include "foundation/basics/CCountedObject.h"
#include "foundation/basics/CString.h"
#include "foundation/basics/CSystemString.h"
#include "foundation/collections/TPointerCollection.h"
#include "gui/graphics/IImage.h"

namespace Orvalite::IO
{
class CXMLNode;
}

namespace Orvalite::GUI::Graphics
{
class CImageManager
{
public:
    // One named image and where it came from; holds a reference to the image.
    class CImageReference : public Orvalite::Basics::CCountedObject
    {
    public:
        CImageReference(IImage *image, const Orvalite::Basics::CString &referenceName,
                        const Orvalite::Basics::CSystemString &relativePath,
                        const Orvalite::Basics::CSystemString &fileName);
        CImageReference(const CImageReference &) = delete;
        CImageReference &operator=(const CImageReference &) = delete;
        ~CImageReference() override;

        IImage *getImage() const { return m_image; }
        const Orvalite::Basics::CString &getReferenceName() const { return m_referenceName; }
        const Orvalite::Basics::CSystemString &getRelativePath() const { return m_relativePath; }
        const Orvalite::Basics::CSystemString &getFileName() const { return m_fileName; }

        ORVALITE_CLASS_RECORD(CImageReference)

    private:
        IImage *m_image;
        Orvalite::Basics::CString m_referenceName;
        Orvalite::Basics::CSystemString m_relativePath;
        Orvalite::Basics::CSystemString m_fileName;
    };

    // A named film strip: an image reference and the frames stacked in it.
    class CAnimationReference : public Orvalite::Basics::CCountedObject
    {
    public:
        // Takes a reference to `imageReference`.
        CAnimationReference(CImageReference *imageReference, long frameHeight, long numberOfFrames);
        CAnimationReference(const CAnimationReference &) = delete;
        CAnimationReference &operator=(const CAnimationReference &) = delete;
        ~CAnimationReference() override;

        CImageReference *getImageReference() const { return m_imageReference; }
        IImage *getImage() const { return m_imageReference->getImage(); }
        const Orvalite::Basics::CString &getReferenceName() const { return m_imageReference->getReferenceName(); }
        long getFrameHeight() const { return m_frameHeight; }
        long getNumberOfFrames() const { return m_numberOfFrames; }

        ORVALITE_CLASS_RECORD(CAnimationReference)

    private:
        CImageReference *m_imageReference;
        long m_frameHeight;
        long m_numberOfFrames;
    };

    // The relative path that means "the root path itself".
    static constexpr const char *ROOT_FOLDER = "{}";

    CImageManager() = delete;

    // Creates both lists and an empty root path where absent.
    static void initialise();
    // Frees everything, lists and root path included.
    static void destroy();
    // Empties both lists.
    static void clear();

    static void setRootPath(const Orvalite::Basics::CSystemString &path);
    // Empty before initialise.
    static Orvalite::Basics::CSystemString getRootPath();

    // Loads fileName from relativePath under the root path (the root itself for
    // "{}"); false when the file cannot be opened or has an unknown extension.
    static bool addImage(const Orvalite::Basics::CString &relativePath, const Orvalite::Basics::CString &fileName,
                         const Orvalite::Basics::CString &referenceName);
    // As addImage. Frame height or count −1 derives square frames stacked
    // vertically from the image; false when they cannot be derived (an image
    // without width) or are not positive.
    static bool addAnimation(const Orvalite::Basics::CString &relativePath, const Orvalite::Basics::CString &fileName,
                             const Orvalite::Basics::CString &referenceName, long frameHeight, long numberOfFrames);

    // Lookups by exact name; the first match, or null.
    static IImage *getImage(const Orvalite::Basics::CString &referenceName);
    static IImage *getAnimation(const Orvalite::Basics::CString &referenceName, long &frameHeightOut,
                                long &numberOfFramesOut);
    static CImageReference *getImageReference(const Orvalite::Basics::CString &referenceName);
    static CAnimationReference *getAnimationReference(const Orvalite::Basics::CString &referenceName);
    // The name an image is registered under (images first, then animations);
    // the empty text for an unknown or missing image.
    static Orvalite::Basics::CString getReferenceName(const IImage *image);

    // Append new strings of the names, in list order.
    static void getImageNames(Collections::TPointerCollection<Orvalite::Basics::CString> &names);
    static void getAnimationNames(Collections::TPointerCollection<Orvalite::Basics::CString> &names);
    static void getAllNames(Collections::TPointerCollection<Orvalite::Basics::CString> &names);

    // Reads a skin definition text ("<start_skin>" … "<end_skin>"), or its XML
    // form when the file does not open as text or does not start that way.
    // False when any image or animation line failed; the others are still added.
    static bool loadFromDefinitionFile(const Orvalite::Basics::CSystemString &path);
    static bool loadFromXMLFile(const Orvalite::Basics::CSystemString &path);
    static bool writeToXMLFile(const Orvalite::Basics::CSystemString &path);

private:
    using TImageList = Collections::TPointerCollection<CImageReference>;
    using TAnimationList = Collections::TPointerCollection<CAnimationReference>;

    static CImageReference *makeImageReference(const Orvalite::Basics::CString &relativePath,
                                               const Orvalite::Basics::CString &fileName,
                                               const Orvalite::Basics::CString &referenceName);
    static bool readDefinitionText(const Orvalite::Basics::CSystemString &path, bool &isDefinitionText);
    static bool readDefinitionLine(const Orvalite::Basics::CString &line, long section);
    static bool readImageLine(const Orvalite::Basics::CString &line);
    static bool readAnimationLine(const Orvalite::Basics::CString &line);
    static void readXMLImages(const IO::CXMLNode *images);
    static void readXMLAnimations(const IO::CXMLNode *animations);
    static void writeReferenceAttributes(IO::CXMLNode &node, const CImageReference &reference);

    static TImageList *s_images;
    static TAnimationList *s_animations;
    static Orvalite::Basics::CSystemString *s_rootPath;
};
} // namespace Orvalite::GUI::Graphics
