// Reads the program's icon and version record back from a compiled Windows
// resource file (.res, as windres makes it) and checks every field, so that
// a slip in the resource script cannot reach a release.
//
// A .res file is a list of resources, each a header (sizes, type, name,
// language) and its data, all aligned to 4 bytes. The version record is a
// tree of nodes: length, value length, type, a UTF-16 key, the value and the
// child nodes, each part again aligned to 4 bytes.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

int failures = 0;

void check(bool ok, const std::string &what)
{
    std::printf("%s  %s\n", ok ? "ok  " : "FAIL", what.c_str());
    if (!ok)
        ++failures;
}

std::uint16_t word(const Bytes &b, std::size_t at)
{
    return at + 2 <= b.size() ? static_cast<std::uint16_t>(b[at] | b[at + 1] << 8) : 0;
}

std::uint32_t dword(const Bytes &b, std::size_t at)
{
    return static_cast<std::uint32_t>(word(b, at) | static_cast<std::uint32_t>(word(b, at + 2)) << 16);
}

std::size_t align4(std::size_t at)
{
    return (at + 3) & ~std::size_t{3};
}

// A zero-terminated UTF-16 text of plain ASCII (every key and value here).
std::string text(const Bytes &b, std::size_t at, std::size_t *end = nullptr, std::size_t limit = SIZE_MAX)
{
    std::string s;
    std::size_t i = at;
    for (; i + 2 <= b.size() && i < limit && word(b, i) != 0; i += 2)
        s += static_cast<char>(word(b, i));
    if (end)
        *end = i + 2;
    return s;
}

struct Resource {
    std::uint16_t type = 0; // numeric types only: 3 icon, 14 icon group, 16 version
    std::uint16_t name = 0;
    std::uint16_t language = 0;
    Bytes data;
};

// A resource's type or name: 0xFFFF and a number, or a text (not used here).
std::uint16_t ordinal(const Bytes &b, std::size_t &at)
{
    if (word(b, at) == 0xFFFF) {
        const std::uint16_t n = word(b, at + 2);
        at += 4;
        return n;
    }
    text(b, at, &at);
    return 0;
}

std::vector<Resource> resources(const Bytes &file)
{
    std::vector<Resource> list;
    std::size_t at = 0;
    while (at + 32 <= file.size()) {
        const std::uint32_t dataSize = dword(file, at);
        const std::uint32_t headerSize = dword(file, at + 4);
        std::size_t p = at + 8;
        Resource r;
        r.type = ordinal(file, p);
        r.name = ordinal(file, p);
        p = align4(p);
        r.language = word(file, p + 6);
        const std::size_t data = at + headerSize;
        if (headerSize < 32 || data + dataSize > file.size())
            break;
        r.data.assign(file.begin() + static_cast<long>(data), file.begin() + static_cast<long>(data + dataSize));
        if (r.type != 0)
            list.push_back(std::move(r));
        at = align4(data + dataSize);
    }
    return list;
}

struct Node {
    std::string key;
    bool isText = false;
    Bytes value;
    std::string textValue;
    std::vector<Node> children;
};

Node node(const Bytes &b, std::size_t at)
{
    Node n;
    const std::size_t end = at + word(b, at);
    const std::uint16_t valueLength = word(b, at + 2);
    n.isText = word(b, at + 4) == 1;
    std::size_t p;
    n.key = text(b, at + 6, &p);
    p = align4(p);
    // Text values count UTF-16 units, binary ones bytes.
    const std::size_t valueBytes = n.isText ? valueLength * std::size_t{2} : valueLength;
    if (n.isText)
        n.textValue = text(b, p, nullptr, p + valueBytes);
    else
        n.value.assign(b.begin() + static_cast<long>(p),
                       b.begin() + static_cast<long>(std::min(p + valueBytes, b.size())));
    p = align4(p + valueBytes);
    while (p + 6 < end && p < b.size()) {
        const std::size_t length = word(b, p);
        if (length == 0)
            break;
        n.children.push_back(node(b, p));
        p = align4(p + length);
    }
    return n;
}

const Node *child(const Node &n, const std::string &key)
{
    for (const Node &c : n.children)
        if (c.key == key)
            return &c;
    return nullptr;
}

std::string twoDigits(int n)
{
    return (n < 10 ? "0" : "") + std::to_string(n);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.res\n", argv[0]);
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const Bytes file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const std::vector<Resource> all = resources(file);

    // The icon: one group of three images.
    const Resource *group = nullptr;
    int icons = 0;
    for (const Resource &r : all) {
        if (r.type == 14)
            group = &r;
        icons += r.type == 3;
    }
    check(group != nullptr, "an icon group");
    if (group) {
        const Bytes &g = group->data;
        check(word(g, 2) == 1 && word(g, 4) == 3, "the icon group holds 3 images");
        check(icons == 3, "3 icon images");
        // Each entry: width, height, colour count, reserved, planes, bits per pixel, bytes, id.
        const int expected[3][4] = {{32, 32, 2, 1}, {32, 32, 16, 4}, {16, 16, 16, 4}};
        for (int i = 0; i < 3; ++i) {
            const std::size_t e = 6 + 14 * static_cast<std::size_t>(i);
            const std::string what = "icon image " + std::to_string(i + 1) + ": " + std::to_string(expected[i][0]) + "x"
                                     + std::to_string(expected[i][1]) + " in " + std::to_string(expected[i][2])
                                     + " colours";
            check(g.size() >= e + 14 && g[e] == expected[i][0] && g[e + 1] == expected[i][1]
                      && g[e + 2] == expected[i][2] % 256 && word(g, e + 6) == expected[i][3],
                  what);
        }
    }

    // The version record.
    const Resource *version = nullptr;
    for (const Resource &r : all)
        if (r.type == 16 && r.name == 1)
            version = &r;
    check(version != nullptr, "a version record");
    if (!version)
        return 1;
    const Node root = node(version->data, 0);
    check(root.key == "VS_VERSION_INFO", "the record is VS_VERSION_INFO");

    const Bytes &fixed = root.value;
    const std::uint32_t numeric = static_cast<std::uint32_t>(TEMPORIA_VERSION_MAJOR) << 16 | TEMPORIA_VERSION_MINOR;
    const std::uint32_t numericLow = static_cast<std::uint32_t>(TEMPORIA_VERSION_PATCH) << 16;
    check(fixed.size() == 52 && dword(fixed, 0) == 0xFEEF04BD, "fixed part present");
    check(dword(fixed, 8) == numeric && dword(fixed, 12) == numericLow, "file version " TEMPORIA_VERSION ".0");
    check(dword(fixed, 16) == numeric && dword(fixed, 20) == numericLow, "product version " TEMPORIA_VERSION ".0");
    check((dword(fixed, 28) & dword(fixed, 24)) == 0, "no file flags");
    check(dword(fixed, 32) == 0x4, "operating system: 32-bit Windows");
    check(dword(fixed, 36) == 0x1, "file type: application");

    const Node *strings = child(root, "StringFileInfo");
    const Node *table = strings ? child(*strings, "040904B0") : nullptr;
    check(table != nullptr, "strings in US English, Unicode (040904B0)");
    const std::string versionText = std::to_string(TEMPORIA_VERSION_MAJOR) + "." + twoDigits(TEMPORIA_VERSION_MINOR);
    const std::map<std::string, std::string> exact{
        {"FileVersion", versionText}, {"ProductVersion", versionText},      {"ProductName", TEMPORIA_TITLE},
        {"InternalName", "temporia"}, {"OriginalFilename", "temporia.exe"}, {"LegalTrademarks", "TEMPORIA 1.O"},
    };
    for (const auto &[key, value] : exact) {
        const Node *s = table ? child(*table, key) : nullptr;
        // A message for each of six entries, read once: no loop worth a buffer.
        // NOLINTBEGIN(performance-inefficient-string-concatenation)
        check(s && s->isText && s->textValue == value,
              key + " = \"" + value + "\"" + (s ? " (is \"" + s->textValue + "\")" : " (missing)"));
        // NOLINTEND(performance-inefficient-string-concatenation)
    }
    for (const char *key : {"CompanyName", "LegalCopyright", "Comments"}) {
        const Node *s = table ? child(*table, key) : nullptr;
        check(s && s->textValue.size() > 10, std::string(key) + " filled in");
    }
    const Node *comments = table ? child(*table, "Comments") : nullptr;
    check(comments && comments->textValue.find('@') != std::string::npos, "Comments give a contact address");
    const Node *description = table ? child(*table, "FileDescription") : nullptr;
    const std::string d = description ? description->textValue : std::string();
    check(d.size() >= 100 && d.size() <= 140 && d.find("under 2 MB") != std::string::npos
              && d.find("every 20 seconds") != std::string::npos && d.find("built in") != std::string::npos,
          "FileDescription: one sentence of about 120 characters on size, slideshow and built-in photographs");
    check(table && table->children.size() == 10, "exactly the ten strings");

    const Node *vars = child(root, "VarFileInfo");
    const Node *translation = vars ? child(*vars, "Translation") : nullptr;
    check(translation && translation->value.size() == 4 && word(translation->value, 0) == 0x0409
              && word(translation->value, 2) == 0x04B0,
          "translation 0409 04B0");

    std::printf("%d failed\n", failures);
    return failures == 0 ? 0 : 1;
}
