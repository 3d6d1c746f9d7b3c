#include "registryharness.h"

#include "about/frmabout.h"
#include "doubles.h"
#include "fakeregistry.h"
#include "standin.h"

#include <array>
#include <string>
#include <utility>

namespace {

const std::string sysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string locationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

// Every file exists, or none does.
struct AllOrNoFiles final : rt::FileSystem {
    bool exist = false;
    bool isFile(const QString &) const override { return exist; }
};

// The input, read front to back; past its end every byte reads as 0.
class Input {
public:
    Input(const std::uint8_t *data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    std::uint8_t byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    std::uint32_t u32()
    {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= std::uint32_t{byte()} << (8 * i);
        return v;
    }
    // `n` bytes; when the input runs out, its last byte repeated, so that a
    // short input can still make a long value.
    std::string bytes(std::size_t n)
    {
        const std::size_t have = std::min(n, m_size - m_at);
        std::string s(reinterpret_cast<const char *>(m_data + m_at), have);
        m_at += have;
        s.resize(n, s.empty() ? '\0' : s.back());
        return s;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

struct Value {
    std::uint32_t type = 0;
    std::string bytes;
};

Value value(Input &in)
{
    Value v;
    // Mostly the types there are, 0 to 11; now and then any code at all.
    const std::uint8_t t = in.byte();
    v.type = t < 0xF0 ? t % 12 : in.u32();
    const std::size_t size = (std::size_t{in.byte()} | std::size_t{in.byte()} << 8) % 2049;
    v.bytes = in.bytes(size);
    return v;
}

} // namespace

struct RegistryHarness::State {
    testing::Doubles doubles;
    AllOrNoFiles files;
    testing::StandIn<rt::Services> scope{rt::services(), [this] {
                                             rt::Services s = rt::services();
                                             s.files = &files;
                                             return s;
                                         }()};
    frmAbout &about = rt::form<frmAbout>();
};

RegistryHarness::RegistryHarness()
    : m(std::make_unique<State>())
{
}

RegistryHarness::~RegistryHarness() = default;

QString RegistryHarness::run(const std::uint8_t *data, std::size_t size)
{
    Input in(data, size);
    const std::uint8_t flags = in.byte();

    testing::FakeRegistry registry;
    // A user who may only read, or one who may do anything with the keys.
    registry.grantedAccess = flags & 0x10 ? 0xF003F : reg::KeyRead;
    if (flags & 0x01)
        registry.addKey(sysInfoKey);
    if (flags & 0x02)
        registry.addKey(locationKey);
    std::array<Value, 2> stored{}; // under each lookup
    if (flags & 0x04) {
        stored[0] = value(in);
        registry.set(sysInfoKey, "PATH", stored[0].type, stored[0].bytes);
    }
    if (flags & 0x08) {
        stored[1] = value(in);
        registry.set(locationKey, "MSINFO", stored[1].type, stored[1].bytes);
    }
    registry.environment["ProgramFiles"] = in.bytes(in.byte() % 64);
    m->files.exist = (flags & 0x20) != 0;
    m->doubles.launcher.succeeds = (flags & 0x40) != 0;
    m->doubles.launcher.started.clear();
    m->doubles.messages.shown.clear();
    testing::StandIn scope(reg::installedRegistry(), &registry);

    auto keysBalance = [&] {
        return registry.opens == registry.closes && registry.openKeys() == 0 && registry.badCloses == 0;
    };

    // The reader on its own, on both lookups.
    const std::array<std::pair<std::string, const char *>, 2> lookups{{{sysInfoKey, "PATH"}, {locationKey, "MSINFO"}}};
    for (std::size_t i = 0; i < lookups.size(); ++i) {
        const QString before = QStringLiteral("left from before");
        QString KeyVal = before;
        bool read = false;
        bool raised = false;
        try {
            read = m->about.GetKeyValue(reg::HKeyLocalMachine, QString::fromStdString(lookups[i].first),
                                        QString::fromLatin1(lookups[i].second), KeyVal);
        } catch (const rt::RuntimeError &) {
            raised = true; // passed to the caller by design; StartSysInfo handles it
        }
        if (!read && !raised && !KeyVal.isEmpty())
            return QStringLiteral("a failed read handed back \"%1\"").arg(KeyVal.left(40));
        if (read && stored[i].bytes.size() > 1024)
            return QStringLiteral("a value of %1 bytes read through a 1024-byte buffer").arg(stored[i].bytes.size());
        // Expanding %NAME% references may lengthen a text; nothing else may.
        if (read && stored[i].type != reg::RegExpandSz && KeyVal.size() > 1024)
            return QStringLiteral("%1 characters read from a 1024-byte buffer").arg(KeyVal.size());
        if (!keysBalance())
            return QStringLiteral("after reading %1: %2 keys opened, %3 closed, %4 closed that were not open")
                .arg(QString::fromLatin1(lookups[i].second))
                .arg(registry.opens)
                .arg(registry.closes)
                .arg(registry.badCloses);
    }

    // The launcher: it starts one program, or says once that it cannot.
    m->about.StartSysInfo();
    const auto &shown = m->doubles.messages.shown;
    const bool started = !m->doubles.launcher.started.isEmpty() && m->doubles.launcher.succeeds;
    if (m->doubles.launcher.started.size() > 1)
        return QStringLiteral("%1 programs started").arg(m->doubles.launcher.started.size());
    if (shown.size() != (started ? 0u : 1u))
        return QStringLiteral("%1 messages after %2").arg(shown.size()).arg(started ? "a start" : "no start");
    for (const testing::RecordedMessage &message : shown) {
        if (message.text != QStringLiteral("System Information Is Unavailable At This Time"))
            return QStringLiteral("unexpected message \"%1\"").arg(message.text);
    }
    if (!m->doubles.endings.empty())
        return QStringLiteral("a run-time error ended the program");
    if (!keysBalance())
        return QStringLiteral("after StartSysInfo: %1 keys opened, %2 closed, %3 closed that were not open")
            .arg(registry.opens)
            .arg(registry.closes)
            .arg(registry.badCloses);
    return {};
}
