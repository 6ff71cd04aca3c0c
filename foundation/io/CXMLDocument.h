// An XML document: one root element, written one tag per line with tab
// indentation and read back line by line. The document holds a reference to
// its root, which owns the rest of the tree.
//
// What the reader makes of input the writer never produces (nothing is thrown,
// nothing is left behind, every read ends):
// - a line that does not start with '<' after trimming, and "<!…" and "<?…"
//   lines, are skipped; a tag split over lines is read from its first line
//   alone (an element left open, an unclosed value) and the rest is skipped;
// - a closing tag with no open element is skipped; closing tags are not
//   matched against names, each one moves one level up;
// - a second top-level element (an element while the root is closed) is
//   skipped together with everything inside it up to its closing tag;
// - a quoted value with no name before it is dropped; a name followed by
//   another name before any quoted value is replaced by the second;
// - a value whose closing quote is missing is reported to the trace log as
//   "Failed to close XML attribute tag" and dropped, and reading goes on;
//   a quote that opens but never closes without a name is dropped silently;
// - "/>" inside a quoted value is text; outside quotes it closes the element
//   once, however often it appears;
// - tabs between a name and its attributes are part of the name (only a
//   blank separates them), tabs and blanks around a name are trimmed;
// - a NUL byte ends the line it is on;
// - long lines, which the text stream delivers in pieces, are joined again: a
//   full piece that does not end with '>' is continued by the next one (so a
//   1023-byte line of another kind takes the next line with it). A line is
//   kept up to one megabyte; the rest of it is dropped. Lines are parsed in
//   linear time;
// - deep nesting needs no stack: reading, writing and freeing are iterative;
// - at most one line is read per byte of the file (plus one), so a stream
//   that never reports its end cannot keep the reader going.
#pragma once

#include "foundation/basics/CSystemString.h"
#include "foundation/io/CXMLNode.h"

namespace Orvalite::IO
{
class CXMLDocument : public Basics::CCountedObject
{
public:
    CXMLDocument() = default;
    ~CXMLDocument() override;
    CXMLDocument(const CXMLDocument &) = delete;
    CXMLDocument &operator=(const CXMLDocument &) = delete;

    CXMLNode *getRootNode() const { return m_rootNode; }
    // References the new root before letting the old one go, so a node of the
    // old tree can become the root.
    void setRootNode(CXMLNode *root);

    // Creates or truncates `path`. False, with the file untouched, when there is
    // no root; false and a trace-log line when the file does not open. The file
    // does not end with a line feed unless the root has no children.
    bool writeFile(const Basics::CSystemString &path);
    // Replaces the root with the tree read from `path`. False, keeping the
    // previous root, when the file does not open or its first line is not an
    // "<?xml" declaration; true otherwise, however the rest is malformed.
    bool readFile(const Basics::CSystemString &path);

    // '&', '"', '>', '<', line feed and carriage return become "&amp;",
    // "&quot;", "&gt;", "&lt;", "&#10;" and "&#13;"; everything else stays.
    static void escapeText(Basics::CString &text);
    // The reverse: every entity above becomes its character, "&amp;" last, so
    // that "&amp;lt;" gives "&lt;". Anything else, unknown entities included, stays.
    static void unescapeText(Basics::CString &text);

    ORVALITE_CLASS_RECORD(CXMLDocument)

private:
    CXMLNode *m_rootNode = nullptr;
};
} // namespace Orvalite::IO
