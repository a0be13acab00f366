#include "framework/CCPlist.h"

#include <cstring>
#include <pugixml.hpp>

#include "framework/CCFileUtils.h"
#include "framework/CCNumber.h"
#include "framework/CCString.h"

namespace cocos2d {
namespace {

bool isXmlSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isBlank(const char* text) {
    for (; *text; ++text) {
        if (!isXmlSpace(*text)) return false;
    }
    return true;
}

std::string trimmed(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && isXmlSpace(text[begin])) ++begin;
    while (end > begin && isXmlSpace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

/// Builds CCObjects from the parsed XML. Every object it returns carries one reference for the
/// caller; on failure it returns nullptr, has released what it built, and sets `error`.
class TreeBuilder {
public:
    std::string error;

    CCObject* value(const pugi::xml_node& node, int depth) {
        const char* name = node.name();
        if (std::strcmp(name, "dict") == 0) return dict(node, depth + 1);
        if (std::strcmp(name, "array") == 0) return array(node, depth + 1);
        std::string text;
        if (!textOf(node, &text)) return nullptr;
        if (std::strcmp(name, "string") == 0) return new CCString(std::move(text));
        if (std::strcmp(name, "integer") == 0 || std::strcmp(name, "real") == 0 ||
            std::strcmp(name, "date") == 0) {
            return new CCString(trimmed(text));
        }
        if (std::strcmp(name, "true") == 0) return new CCString("true");
        if (std::strcmp(name, "false") == 0) return new CCString("false");
        if (std::strcmp(name, "data") == 0) {
            std::string packed;
            for (char c : text) {
                if (!isXmlSpace(c)) packed.push_back(c);
            }
            return new CCString(std::move(packed));
        }
        fail(node, std::string("unexpected element <") + name + ">");
        return nullptr;
    }

private:
    void fail(const pugi::xml_node& node, const std::string& what) {
        if (!error.empty()) return;
        error = what + " at offset " + std::to_string((long long)node.offset_debug());
    }

    bool tooDeep(const pugi::xml_node& node, int depth) {
        if (depth <= CCPlist::kMaxDepth) return false;
        fail(node, "nesting deeper than " + std::to_string(CCPlist::kMaxDepth));
        return true;
    }

    /// Skips text between elements of a container; only white space may stand there.
    bool isStrayText(const pugi::xml_node& child) {
        if (child.type() == pugi::node_element) return false;
        if (child.type() == pugi::node_pcdata && isBlank(child.value())) return false;
        if (child.type() != pugi::node_pcdata && child.type() != pugi::node_cdata) return false;
        fail(child, "text outside of an element");
        return true;
    }

    /// The concatenated character data of a scalar element; elements inside it are an error.
    bool textOf(const pugi::xml_node& node, std::string* text) {
        for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
            if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
                text->append(child.value());
            } else if (child.type() == pugi::node_element) {
                fail(child, std::string("element <") + child.name() + "> inside <" + node.name() + ">");
                return false;
            }
        }
        return true;
    }

    CCObject* dict(const pugi::xml_node& node, int depth) {
        if (tooDeep(node, depth)) return nullptr;
        CCDictionary* result = new CCDictionary();
        pugi::xml_node child = node.first_child();
        while (child) {
            if (isStrayText(child)) break;
            if (child.type() != pugi::node_element) {
                child = child.next_sibling();
                continue;
            }
            if (std::strcmp(child.name(), "key") != 0) {
                fail(child, std::string("<") + child.name() + "> where a <key> belongs");
                break;
            }
            std::string key;
            if (!textOf(child, &key)) break;
            pugi::xml_node valueNode = child.next_sibling();
            while (valueNode && valueNode.type() != pugi::node_element && !isStrayText(valueNode)) {
                valueNode = valueNode.next_sibling();
            }
            if (!error.empty()) break;
            if (!valueNode || std::strcmp(valueNode.name(), "key") == 0) {
                fail(child, "key \"" + key.substr(0, 64) + "\" without a value");
                break;
            }
            CCObject* item = value(valueNode, depth);
            if (!item) break;
            result->setObject(item, key);
            item->release();
            child = valueNode.next_sibling();
        }
        if (!error.empty()) {
            result->release();
            return nullptr;
        }
        return result;
    }

    CCObject* array(const pugi::xml_node& node, int depth) {
        if (tooDeep(node, depth)) return nullptr;
        CCArray* result = new CCArray();
        for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
            if (isStrayText(child)) break;
            if (child.type() != pugi::node_element) continue;
            CCObject* item = value(child, depth);
            if (!item) break;
            result->addObject(item);
            item->release();
        }
        if (!error.empty()) {
            result->release();
            return nullptr;
        }
        return result;
    }
};

/// The single element child of `parent`, or an empty node with `*count` telling how many there were.
pugi::xml_node onlyElement(const pugi::xml_node& parent, int* count) {
    pugi::xml_node found;
    *count = 0;
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) continue;
        if (++*count == 1) found = child;
    }
    return *count == 1 ? found : pugi::xml_node();
}

void appendEscaped(std::string* out, const std::string& text) {
    for (unsigned char c : text) {
        switch (c) {
        case '&':
            out->append("&amp;");
            break;
        case '<':
            out->append("&lt;");
            break;
        case '>':
            out->append("&gt;");
            break;
        case '\t':
        case '\n':
            out->push_back((char)c);
            break;
        default:
            // A raw carriage return would come back as a line feed, and control characters are not
            // allowed raw in XML: write them as character references.
            if (c < 0x20) {
                out->append("&#").append(std::to_string((int)c)).push_back(';');
            } else {
                out->push_back((char)c);
            }
        }
    }
}

class TreeWriter {
public:
    std::string out;
    std::string error;

    bool value(const CCObject* object, int depth) {
        if (auto s = dynamic_cast<const CCString*>(object)) return scalar("string", s->getString(), depth);
        if (auto i = dynamic_cast<const CCInteger*>(object)) {
            return scalar("integer", std::to_string(i->getValue()), depth);
        }
        if (auto f = dynamic_cast<const CCFloat*>(object))
            return scalar("real", ccFloatToText(f->getValue()), depth);
        if (auto d = dynamic_cast<const CCDouble*>(object)) {
            return scalar("real", ccDoubleToText(d->getValue()), depth);
        }
        if (auto b = dynamic_cast<const CCBool*>(object)) {
            indent(depth);
            out.append(b->getValue() ? "<true/>\n" : "<false/>\n");
            return true;
        }
        if (auto dict = dynamic_cast<const CCDictionary*>(object)) return dictionary(dict, depth + 1);
        if (auto list = dynamic_cast<const CCArray*>(object)) return array(list, depth + 1);
        error = object ? "an object that is not a property-list value" : "a null object";
        return false;
    }

private:
    void indent(int depth) {
        if (depth > 0) out.append((std::size_t)depth, '\t');
    }

    bool scalar(const char* tag, const std::string& text, int depth) {
        indent(depth);
        out.append("<").append(tag).append(">");
        appendEscaped(&out, text);
        out.append("</").append(tag).append(">\n");
        return true;
    }

    bool tooDeep(int depth) {
        if (depth <= CCPlist::kMaxDepth) return false;
        error = "nesting deeper than " + std::to_string(CCPlist::kMaxDepth) + " (or a cycle)";
        return true;
    }

    bool dictionary(const CCDictionary* dict, int depth) {
        if (tooDeep(depth)) return false;
        indent(depth - 1);
        out.append("<dict>\n");
        CCDictElement* element = nullptr;
        CCDICT_FOREACH(dict, element) {
            indent(depth);
            out.append("<key>");
            if (dict->getType() == CCDictionary::kCCDictInt) {
                out.append(std::to_string((long long)element->getIntKey()));
            } else {
                appendEscaped(&out, element->getKey());
            }
            out.append("</key>\n");
            if (!value(element->getObject(), depth)) return false;
        }
        indent(depth - 1);
        out.append("</dict>\n");
        return true;
    }

    bool array(const CCArray* list, int depth) {
        if (tooDeep(depth)) return false;
        indent(depth - 1);
        out.append("<array>\n");
        for (const CCObject* item : list->data()) {
            if (!value(item, depth)) return false;
        }
        indent(depth - 1);
        out.append("</array>\n");
        return true;
    }
};

bool deepEqualAt(const CCObject* a, const CCObject* b, int depth) {
    if (depth > CCPlist::kMaxDepth || !a || !b) return false;
    auto da = dynamic_cast<const CCDictionary*>(a);
    auto db = dynamic_cast<const CCDictionary*>(b);
    if (da || db) {
        if (!da || !db || da->count() != db->count()) return false;
        std::size_t sa = 0, sb = 0;
        for (;; ++sa, ++sb) {
            CCDictElement* ea = da->elementFromSlot(sa, &sa);
            CCDictElement* eb = db->elementFromSlot(sb, &sb);
            if (!ea || !eb) return !ea && !eb;
            if (ea->getKey() != eb->getKey() || ea->getIntKey() != eb->getIntKey()) return false;
            if (!deepEqualAt(ea->getObject(), eb->getObject(), depth + 1)) return false;
        }
    }
    auto aa = dynamic_cast<const CCArray*>(a);
    auto ab = dynamic_cast<const CCArray*>(b);
    if (aa || ab) {
        if (!aa || !ab || aa->count() != ab->count()) return false;
        for (unsigned int i = 0; i < aa->count(); ++i) {
            if (!deepEqualAt(aa->data()[i], ab->data()[i], depth + 1)) return false;
        }
        return true;
    }
    return a->isEqual(b);
}

} // namespace

CCObject* CCPlist::parse(const char* data, std::size_t size, std::string* error) {
    std::string ignored;
    std::string& reason = error ? *error : ignored;
    reason.clear();
    pugi::xml_document doc;
    // Keep white space that is a string's whole content ("<string> </string>").
    unsigned int options = pugi::parse_default | pugi::parse_ws_pcdata_single;
    pugi::xml_parse_result parsed = doc.load_buffer(data ? data : "", data ? size : 0, options);
    if (!parsed) {
        reason = std::string("not well-formed XML (") + parsed.description() + ") at offset " +
                 std::to_string((long long)parsed.offset);
        return nullptr;
    }
    int count = 0;
    pugi::xml_node root = onlyElement(doc, &count);
    if (!root) {
        reason = count == 0 ? "no root element" : "more than one root element";
        return nullptr;
    }
    if (std::strcmp(root.name(), "plist") == 0) {
        pugi::xml_node plist = root;
        root = onlyElement(plist, &count);
        if (!root) {
            reason = count == 0 ? "an empty <plist>" : "more than one value in <plist>";
            return nullptr;
        }
    } else if (std::strcmp(root.name(), "dict") != 0 && std::strcmp(root.name(), "array") != 0) {
        reason = std::string("root element <") + root.name() + "> is not <plist>";
        return nullptr;
    }
    TreeBuilder builder;
    CCObject* result = builder.value(root, 0);
    if (!result) reason = builder.error.empty() ? "unreadable value" : builder.error;
    return result;
}

CCObject* CCPlist::readFile(const std::string& path) {
    bool ok = false;
    std::vector<unsigned char> bytes = CCFileUtils::sharedFileUtils()->getDataFromFile(path, &ok);
    if (!ok) {
        CCLog("[CCPlist] cannot read property list %s: the file cannot be opened", path.c_str());
        return nullptr;
    }
    std::string error;
    CCObject* root = parse(reinterpret_cast<const char*>(bytes.data()), bytes.size(), &error);
    if (!root) CCLog("[CCPlist] cannot read property list %s: %s", path.c_str(), error.c_str());
    return root;
}

CCDictionary* CCPlist::dictionaryFromFile(const std::string& path) {
    return CCDictionary::createWithContentsOfFile(path.c_str());
}

CCArray* CCPlist::arrayFromFile(const std::string& path) {
    CCObject* root = readFile(path);
    if (!root) return nullptr;
    CCArray* list = dynamic_cast<CCArray*>(root);
    if (!list) {
        CCLog("[CCPlist] cannot read property list %s: its root is not an array", path.c_str());
        root->release();
        return nullptr;
    }
    list->autorelease();
    return list;
}

bool CCPlist::write(const CCObject* root, std::string* out, std::string* error) {
    TreeWriter writer;
    writer.out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                 "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                 "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                 "<plist version=\"1.0\">\n";
    bool ok = writer.value(root, 0);
    writer.out.append("</plist>\n");
    if (error) *error = writer.error;
    if (ok && out) out->swap(writer.out);
    return ok;
}

bool CCPlist::writeFile(const CCObject* root, const std::string& path) {
    std::string text, error;
    if (!write(root, &text, &error)) {
        CCLog("[CCPlist] cannot write property list %s: %s", path.c_str(), error.c_str());
        return false;
    }
    if (!CCFileUtils::sharedFileUtils()->writeFileAtomically(path, text, &error)) {
        CCLog("[CCPlist] cannot write property list %s: %s", path.c_str(), error.c_str());
        return false;
    }
    return true;
}

bool CCPlist::deepEqual(const CCObject* a, const CCObject* b) {
    return deepEqualAt(a, b, 0);
}

} // namespace cocos2d
