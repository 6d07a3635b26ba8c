#include "codeview/XmlTree.h"

#include <QFile>
#include <pugixml.hpp>

namespace codeview {

namespace {

// Parses "@n" with n a positive decimal number; 0 when the segment is not one.
long childIndex(std::string_view segment)
{
    if (segment.size() < 2 || segment.size() > 10 || segment[0] != '@')
        return 0;
    long n = 0;
    for (size_t i = 1; i < segment.size(); ++i) {
        const char c = segment[i];
        if (c < '0' || c > '9')
            return 0;
        n = n * 10 + (c - '0');
    }
    return n;
}

pugi::xml_node nthElement(const pugi::xml_node &parent, long n)
{
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && --n == 0)
            return child;
    }
    return {};
}

pugi::xml_node namedElement(const pugi::xml_node &parent, std::string_view name)
{
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && name == child.name())
            return child;
    }
    return {};
}

// Walks the elements below node without recursion: a file nested a hundred
// thousand levels deep must not exhaust the stack.
void appendText(const pugi::xml_node &node, std::string &out)
{
    pugi::xml_node child = node.first_child();
    while (child) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            out += child.value();
        if (child.type() == pugi::node_element && child.first_child()) {
            child = child.first_child();
            continue;
        }
        // The next node in document order, climbing back no higher than node.
        while (!child.next_sibling()) {
            child = child.parent();
            if (child == node)
                return;
        }
        child = child.next_sibling();
    }
}

} // namespace

XmlTree::XmlTree() : doc_(std::make_unique<pugi::xml_document>()) {}

XmlTree::~XmlTree() = default;

bool XmlTree::LoadFile(const QString &path)
{
    Release();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return false;
    return LoadBytes(std::string_view(bytes.constData(), size_t(bytes.size())));
}

bool XmlTree::LoadBytes(std::string_view bytes)
{
    Release();
    // Read as UTF-8 whatever the declaration says: pugixml then hands the
    // GBK bytes through unchanged.
    const pugi::xml_parse_result result =
        doc_->load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!result || !doc_->document_element()) {
        doc_->reset();
        return false;
    }
    loaded_ = true;
    return true;
}

pugi::xml_node XmlTree::find(std::string_view path) const
{
    if (!loaded_)
        return {};
    pugi::xml_node node;
    bool first = true;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('/', start);
        if (end == std::string_view::npos)
            end = path.size();
        const std::string_view segment = path.substr(start, end - start);
        if (segment.empty())
            return {};
        if (first) {
            node = namedElement(*doc_, segment);
            first = false;
        } else if (segment[0] == '@') {
            const long n = childIndex(segment);
            if (n <= 0)
                return {};
            node = nthElement(node, n);
        } else {
            node = namedElement(node, segment);
        }
        if (!node)
            return {};
        start = end + 1;
    }
    return node;
}

bool XmlTree::ChildCount(std::string_view path, int &count) const
{
    const pugi::xml_node node = find(path);
    if (!node)
        return false;
    int n = 0;
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling())
        if (child.type() == pugi::node_element)
            ++n;
    count = n;
    return true;
}

bool XmlTree::Attribute(std::string_view path, std::string_view name, std::string &value) const
{
    const pugi::xml_node node = find(path);
    if (!node)
        return false;
    for (pugi::xml_attribute attr = node.first_attribute(); attr; attr = attr.next_attribute()) {
        if (name == attr.name()) {
            value = attr.value();
            return true;
        }
    }
    return false;
}

std::string XmlTree::NodeText(std::string_view path) const
{
    std::string text;
    const pugi::xml_node node = find(path);
    if (node)
        appendText(node, text);
    return text;
}

void XmlTree::Release()
{
    doc_->reset();
    loaded_ = false;
}

} // namespace codeview
