// Start-up and memory tuning, and why.
//
// - The allocator (tuneAllocator): large buffers, a photograph while it is
//   decoded, get pages of their own and go back to the system when freed.
//   Left to itself glibc's allocator raises its threshold after the first
//   such buffer and keeps the later ones in its heap for good: each
//   photograph of the frame's slide show would stay.
// - Paint memory (preparePaintMemory): a buffer left to fill itself page by
//   page takes a fault per page; a maximised window's paint buffer is a
//   thousand of them, and on some virtual machines a fault costs as much as
//   drawing the page. One call makes them present before they are written.
// - Resource pages (listResourcePages, releaseResourcePages): a compressed
//   picture in the program file is read once, when it is decoded; its pages
//   need not stay in memory after that (the system reads them again should
//   anything ask). Reading one resource can map pages of others (the system
//   maps a file's cached pages in blocks), so each release goes over every
//   range listed: those of the pictures decoded so far, and of those held
//   to be decoded later, which are not read before then.
#include "tuning.h"

#include <QBackingStore>
#include <QImage>
#include <QResource>
#include <QString>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#if defined(Q_OS_UNIX)
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace rt {
namespace {

// Buffers this size and up have pages of their own (see tuneAllocator()).
constexpr qsizetype ownPages = 128 * 1024;

#if defined(Q_OS_LINUX) && defined(MADV_POPULATE_WRITE)
void populate(quintptr from, qsizetype size)
{
    const auto page = static_cast<quintptr>(sysconf(_SC_PAGESIZE));
    const quintptr begin = from & ~(page - 1);
    const quintptr end = (from + quintptr(size) + page - 1) & ~(page - 1);
    // A system without it says so and the writing faults the pages in as before.
    madvise(reinterpret_cast<void *>(begin), end - begin, MADV_POPULATE_WRITE);
}
#endif

class ResourcePages {
public:
    static ResourcePages &instance()
    {
        static ResourcePages pages;
        return pages;
    }

    void add(const QString &path, bool release)
    {
#if defined(Q_OS_UNIX)
        const QResource resource(path);
        if (!resource.isValid() || resource.compressionAlgorithm() == QResource::NoCompression)
            return;
        // Pictures are decoded on worker threads too.
        const std::lock_guard lock(m_mutex);
        const auto page = static_cast<quintptr>(sysconf(_SC_PAGESIZE));
        const auto begin = (reinterpret_cast<quintptr>(resource.data()) + page - 1) & ~(page - 1);
        const auto end = (reinterpret_cast<quintptr>(resource.data()) + quintptr(resource.size())) & ~(page - 1);
        if (end > begin && std::find(m_ranges.begin(), m_ranges.end(), std::pair{begin, end}) == m_ranges.end())
            m_ranges.emplace_back(begin, end);
        if (!release)
            return;
        for (const auto &[from, to] : m_ranges)
            madvise(reinterpret_cast<void *>(from), to - from, MADV_DONTNEED);
#else
        (void)path;
        (void)release;
#endif
    }

private:
    std::mutex m_mutex;
    std::vector<std::pair<quintptr, quintptr>> m_ranges;
};

} // namespace

void tuneAllocator()
{
#if defined(__GLIBC__)
    mallopt(M_MMAP_THRESHOLD, ownPages);
#endif
}

void preparePaintMemory(QWidget *window)
{
#if defined(Q_OS_LINUX) && defined(MADV_POPULATE_WRITE)
    QBackingStore *store = window ? window->backingStore() : nullptr;
    QPaintDevice *device = store ? store->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image)
        return;
    const auto *image = static_cast<const QImage *>(device);
    const auto from = reinterpret_cast<quintptr>(image->constBits());
    const char *const key = "rt_presentPaintMemory";
    if (from == 0 || window->property(key).value<quintptr>() == from)
        return;
    window->setProperty(key, QVariant::fromValue(from));
    populate(from, image->sizeInBytes());
#else
    (void)window;
#endif
}

void listResourcePages(const QString &path)
{
    ResourcePages::instance().add(path, false);
}

void releaseResourcePages(const QString &path)
{
    ResourcePages::instance().add(path, true);
}

} // namespace rt
