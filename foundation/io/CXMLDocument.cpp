#include "foundation/io/CXMLDocument.h"

#include "foundation/io/CTextStream.h"
#include "foundation/io/TraceLog.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <system_error>
#include <vector>

namespace Orvalite::IO
{
using Basics::CString;
using Basics::CSystemString;

ORVALITE_DEFINE_CLASS_RECORD(CXMLDocument, "CXMLDocument", "CCountedObject")

namespace
{
const char *const DECLARATION = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n";
const char *const OPEN_FAILED = "Failed to open XML stream with path = ";
const char *const DECLARATION_MISSING = "Failed to read XML DTD on path = ";

// Written text is collected and handed to the stream in pieces of about this
// many bytes: the stream flushes every write, and one write per tab or per
// name would cost a system call each.
const size_t WRITE_CHUNK = 64 * 1024;

struct SEntity
{
    char character;
    const char *text;
    size_t length;
};

// In the order unescaping tries them: "&amp;" last.
const SEntity ENTITIES[] = {{'"', "&quot;", 6}, {'>', "&gt;", 4},   {'<', "&lt;", 4},
                            {'\n', "&#10;", 5}, {'\r', "&#13;", 5}, {'&', "&amp;", 5}};

void escape(const char *text, std::string &result)
{
    for (const char *character = text; *character; ++character)
    {
        const SEntity *match = nullptr;
        for (const SEntity &entity : ENTITIES)
        {
            if (entity.character == *character)
            {
                match = &entity;
                break;
            }
        }
        if (match)
        {
            result.append(match->text, match->length);
        }
        else
        {
            result.push_back(*character);
        }
    }
}

// One pass that tries every entity at each '&' gives the same text as one
// replacement pass per entity: entities cannot overlap, and no replacement
// character is part of an entity, so only "&amp;" can make new entity text,
// and its pass comes last.
std::string unescape(const std::string &text)
{
    std::string result;
    result.reserve(text.size());
    for (size_t index = 0; index < text.size();)
    {
        const SEntity *match = nullptr;
        if (text[index] == '&')
        {
            for (const SEntity &entity : ENTITIES)
            {
                if (text.compare(index, entity.length, entity.text) == 0)
                {
                    match = &entity;
                    break;
                }
            }
        }
        if (match)
        {
            result.push_back(match->character);
            index += match->length;
        }
        else
        {
            result.push_back(text[index++]);
        }
    }
    return result;
}

std::string trimmed(const std::string &text)
{
    size_t first = 0;
    size_t end = text.size();
    while (first < end && CString::isWhiteSpace(text[first]))
    {
        ++first;
    }
    while (end > first && CString::isWhiteSpace(text[end - 1]))
    {
        --end;
    }
    return text.substr(first, end - first);
}

std::string nameFrom(const std::string &text)
{
    return unescape(trimmed(text));
}

void writeOpeningTag(const CXMLNode &node, std::string &output)
{
    output.push_back('<');
    escape(node.getNodeName().getString(), output);
    for (long index = 0; index < node.getNumberOfAttributes(); ++index)
    {
        if (const CXMLAttribute *attribute = node.getAttribute(index))
        {
            output.push_back(' ');
            escape(attribute->getName().getString(), output);
            output.append("=\"");
            escape(attribute->getValue().getString(), output);
            output.push_back('"');
        }
    }
    output.append(node.getNumberOfChildNodes() > 0 ? ">\n" : "/>\n");
}

enum class ETagKind
{
    NOT_A_TAG,
    IGNORED,
    CLOSING,
    // An element that encloses the lines up to its closing tag.
    OPENING,
    // "<name/>": an element with nothing inside that still becomes the
    // current node when it is the first element of the document.
    EMPTY,
};

struct STag
{
    ETagKind kind = ETagKind::NOT_A_TAG;
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    // "/>" after the attributes.
    bool closesItself = false;
    // A value that was named but never closed with a quote.
    bool hasUnclosedValue = false;
};

void parseAttributes(const std::string &text, size_t start, STag &tag)
{
    std::string accumulated;
    bool isInQuotes = false;
    bool hasPendingName = false;
    std::string pendingName;
    for (size_t index = start; index < text.size(); ++index)
    {
        const char character = text[index];
        if (character == ' ')
        {
            if (isInQuotes)
            {
                accumulated.push_back(character);
            }
        }
        else if (character == '"')
        {
            if (isInQuotes)
            {
                if (hasPendingName)
                {
                    tag.attributes.emplace_back(pendingName, unescape(accumulated));
                    hasPendingName = false;
                }
                accumulated.clear();
            }
            isInQuotes = !isInQuotes;
        }
        else if (character == '=' && !isInQuotes)
        {
            pendingName = unescape(accumulated);
            hasPendingName = true;
            accumulated.clear();
        }
        else if (character == '/' && !isInQuotes && index + 1 < text.size() && text[index + 1] == '>')
        {
            tag.closesItself = true;
        }
        else
        {
            accumulated.push_back(character);
        }
    }
    tag.hasUnclosedValue = hasPendingName;
}

// `line` is trimmed and holds one tag, as the writer puts it.
STag parseTag(const std::string &line)
{
    STag tag;
    if (line.empty() || line[0] != '<')
    {
        return tag;
    }
    const std::string rest = line.substr(1);
    const char first = rest.empty() ? '\0' : rest[0];
    if (first == '!' || first == '?')
    {
        tag.kind = ETagKind::IGNORED;
        return tag;
    }
    if (first == '/')
    {
        tag.kind = ETagKind::CLOSING;
        return tag;
    }
    tag.kind = ETagKind::OPENING;
    const size_t blank = rest.find(' ');
    if (blank != std::string::npos)
    {
        tag.name = nameFrom(rest.substr(0, blank));
        parseAttributes(rest, blank + 1, tag);
        return tag;
    }
    const size_t slash = rest.rfind('/');
    if (slash != std::string::npos)
    {
        tag.kind = ETagKind::EMPTY;
        tag.name = nameFrom(rest.substr(0, slash));
        return tag;
    }
    const size_t end = rest.rfind('>');
    tag.name = nameFrom(end == std::string::npos ? rest : rest.substr(0, end));
    return tag;
}

// Builds the tree from the tags of one file, one line at a time.
class CTreeBuilder
{
public:
    explicit CTreeBuilder(CXMLDocument &document) : m_document(document) {}

    // False for a line that is no tag and for an unclosed value.
    bool addLine(const std::string &line)
    {
        const STag tag = parseTag(line);
        if (tag.hasUnclosedValue)
        {
            traceMessage("Failed to close XML attribute tag");
        }
        switch (tag.kind)
        {
        case ETagKind::NOT_A_TAG:
            return false;
        case ETagKind::IGNORED:
            break;
        case ETagKind::CLOSING:
            close();
            break;
        case ETagKind::OPENING:
        case ETagKind::EMPTY:
            open(tag);
            break;
        }
        return !tag.hasUnclosedValue;
    }

private:
    void close()
    {
        if (m_skippedDepth > 0)
        {
            --m_skippedDepth;
        }
        else if (m_current)
        {
            m_current = m_current->getParentNode();
        }
    }

    void open(const STag &tag)
    {
        const bool staysOpen = tag.kind == ETagKind::OPENING && !tag.closesItself;
        if (m_skippedDepth > 0 || (m_document.getRootNode() && !m_current))
        {
            m_skippedDepth += staysOpen ? 1 : 0;
            return;
        }
        CXMLNode *node = nullptr;
        if (!m_current)
        {
            node = new CXMLNode(CString(tag.name.c_str()));
            m_document.setRootNode(node);
            m_current = node;
        }
        else
        {
            node = m_current->addChildNode(CString(tag.name.c_str()));
            if (tag.kind == ETagKind::OPENING)
            {
                m_current = node;
            }
        }
        for (const auto &[name, value] : tag.attributes)
        {
            node->addAttribute(CString(name.c_str()), CString(value.c_str()));
        }
        if (tag.closesItself)
        {
            m_current = m_current->getParentNode();
        }
    }

    CXMLDocument &m_document;
    CXMLNode *m_current = nullptr;
    // Open elements of a second top-level element, which is skipped.
    long m_skippedDepth = 0;
};

// Every read consumes at least one byte, so a file cannot need more reads
// than it has bytes (plus the one that finds the end).
unsigned long long maximumReads(const CSystemString &path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(std::filesystem::u8path(path.getString()), error);
    return error ? std::numeric_limits<unsigned long long>::max() : static_cast<unsigned long long>(size) + 1;
}

// Gives back the lines the writer wrote, whatever their length. The stream
// delivers a longer line in pieces of MAXIMUM_LINE_LENGTH bytes, and a full
// piece may also be a whole line. Every line the writer writes ends with '>'
// and holds no other '>' (values and names are escaped), so a full piece that
// does not end with '>' is continued by the next one.
class CLineJoiner
{
public:
    CLineJoiner(CTextStream &stream, unsigned long long maximumReads) : m_stream(stream), m_readsLeft(maximumReads) {}

    // False at the end of the stream. A line is cut at MAXIMUM_JOINED_LENGTH
    // bytes; the rest of it is read and dropped.
    bool readLine(std::string &line)
    {
        line.clear();
        if (!readPiece())
        {
            return false;
        }
        line.append(m_piece.getString());
        const char *piece = m_piece.getString();
        while (isCutShort(piece) && readPiece())
        {
            piece = m_piece.getString();
            if (line.size() < MAXIMUM_JOINED_LENGTH)
            {
                line.append(piece, std::min(std::strlen(piece), MAXIMUM_JOINED_LENGTH - line.size()));
            }
        }
        return true;
    }

private:
    static constexpr size_t PIECE_LENGTH = static_cast<size_t>(CTextStream::MAXIMUM_LINE_LENGTH);
    // Far beyond any tag the framework writes; bounds the memory one line takes.
    static constexpr size_t MAXIMUM_JOINED_LENGTH = 1 << 20;

    static bool isCutShort(const char *piece)
    {
        const size_t length = std::strlen(piece);
        return length == PIECE_LENGTH && piece[length - 1] != '>';
    }

    bool readPiece()
    {
        if (m_readsLeft == 0 || m_stream.isEndOfStream())
        {
            return false;
        }
        --m_readsLeft;
        // Set first: at the end of the stream a read leaves its target unchanged.
        m_piece.setString("");
        m_stream >> m_piece;
        return true;
    }

    CTextStream &m_stream;
    unsigned long long m_readsLeft;
    CString m_piece;
};
} // namespace

CXMLDocument::~CXMLDocument()
{
    setRootNode(nullptr);
}

void CXMLDocument::setRootNode(CXMLNode *root)
{
    if (root == m_rootNode)
    {
        return;
    }
    if (root)
    {
        root->referenced();
    }
    CXMLNode *previous = m_rootNode;
    m_rootNode = root;
    if (previous)
    {
        previous->dereference();
    }
}

bool CXMLDocument::writeFile(const CSystemString &path)
{
    if (!m_rootNode)
    {
        return false;
    }
    CTextStream stream(path, CTextStream::MODE_WRITE);
    if (!stream.isOpen())
    {
        traceMessage(path, CString(OPEN_FAILED));
        return false;
    }
    std::string output = DECLARATION;
    writeOpeningTag(*m_rootNode, output);

    // Each open element with children and the index of its next child to write;
    // the depth of the stack is the indentation.
    std::vector<std::pair<const CXMLNode *, long>> open;
    if (m_rootNode->getNumberOfChildNodes() > 0)
    {
        open.emplace_back(m_rootNode, 0);
    }
    while (!open.empty())
    {
        auto &[node, nextChild] = open.back();
        if (nextChild < node->getNumberOfChildNodes())
        {
            const CXMLNode *child = node->getChildNode(nextChild++);
            output.append(open.size(), '\t');
            writeOpeningTag(*child, output);
            if (child->getNumberOfChildNodes() > 0)
            {
                open.emplace_back(child, 0);
            }
        }
        else
        {
            const CXMLNode *closed = node;
            open.pop_back();
            output.append(open.size(), '\t');
            output.append("</");
            escape(closed->getNodeName().getString(), output);
            output.append(open.empty() ? ">" : ">\n");
        }
        if (output.size() >= WRITE_CHUNK)
        {
            stream << output.c_str();
            output.clear();
        }
    }
    stream << output.c_str();
    stream.closeStream();
    return true;
}

bool CXMLDocument::readFile(const CSystemString &path)
{
    CTextStream stream(path, CTextStream::MODE_READ);
    if (!stream.isOpen())
    {
        traceMessage(path, CString(OPEN_FAILED));
        return false;
    }
    CLineJoiner lines(stream, maximumReads(path));
    std::string text;
    if (!lines.readLine(text) || trimmed(text).compare(0, 5, "<?xml") != 0)
    {
        traceMessage(path, CString(DECLARATION_MISSING));
        return false;
    }
    setRootNode(nullptr);

    CTreeBuilder builder(*this);
    while (lines.readLine(text))
    {
        builder.addLine(trimmed(text));
    }
    stream.closeStream();
    return true;
}

void CXMLDocument::escapeText(CString &text)
{
    std::string result;
    escape(text.getString(), result);
    text.setString(result.c_str());
}

void CXMLDocument::unescapeText(CString &text)
{
    text.setString(unescape(text.getString()).c_str());
}
} // namespace Orvalite::IO
