#pragma once
// A parsed XML document addressed by element paths.
//
// A path is a sequence of segments separated by "/". The first segment names
// the root element; each further segment is either "@n" (n a positive decimal
// number: the n-th child element, counting elements only) or an element name
// (the first child element of that name). A path that cannot be followed finds
// nothing. Texts come back exactly as the file holds them (bytes are not
// re-encoded), with entity references decoded.
#include <QString>
#include <QtGlobal>
#include <memory>
#include <string>
#include <string_view>

namespace pugi {
class xml_document;
class xml_node;
}

namespace codeview {

class XmlTree
{
public:
    XmlTree();
    ~XmlTree();
    XmlTree(const XmlTree &) = delete;
    XmlTree &operator=(const XmlTree &) = delete;

    // A configuration file larger than this is taken for a malformed one.
    static constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;

    // Reads and parses the file, replacing any tree held before. On failure
    // (missing, not a regular file, larger than kMaxFileBytes, unreadable,
    // malformed) the tree is empty and every lookup finds nothing. Only a
    // regular file is opened, and never in a way that could block.
    bool LoadFile(const QString &path);
    // Parses the bytes given; same rules as LoadFile.
    bool LoadBytes(std::string_view bytes);

    // Number of child elements of the element at path; false when not found.
    bool ChildCount(std::string_view path, int &count) const;
    // The attribute's value; false when the element or the attribute is not
    // found, in which case value is left as it was.
    bool Attribute(std::string_view path, std::string_view name, std::string &value) const;
    // The element's text content (all text below it, in document order);
    // empty when the element does not exist.
    std::string NodeText(std::string_view path) const;
    // Discards the tree.
    void Release();

    bool isLoaded() const { return loaded_; }
    // Why the last load found no tree, in Chinese; empty after a success.
    const QString &problem() const { return problem_; }

private:
    pugi::xml_node find(std::string_view path) const;

    std::unique_ptr<pugi::xml_document> doc_;
    bool loaded_ = false;
    QString problem_;
};

} // namespace codeview
