#pragma once
// GMime's ownership rules in one place. Private to the intake library: only .cpp files of this
// folder include it, so no GMime or GLib header leaks into the public headers.
//
// Rules kept here:
// - g_mime_init() runs once per process (ensureGMime()).
// - Objects returned by *_new / *_construct_* are owned (GObjectRef adopts them).
// - Getters (g_mime_message_get_from, g_mime_part_get_content, ...) return borrowed pointers.
// - Strings returned by g_mime_utils_* / g_mime_iconv_* / g_date_time_format are g_free'd.
// GLib names a struct member "signals", which Qt defines as a keyword macro.
#pragma push_macro("signals")
#undef signals
#include <gmime/gmime.h>
#pragma pop_macro("signals")

#include <QByteArray>
#include <QString>

#include <memory>
#include <utility>

namespace lark::intake::gm {

// Initialises GMime once for the process (thread-safe, idempotent).
void ensureGMime();

// Parser options shared by every parse: lenient, with the 8-bit fallback charsets used for raw
// header values that carry no encoded words (UTF-8 first, then Japanese, then Latin-1).
GMimeParserOptions* parserOptions();

// Owning reference to a GObject; unref on destruction.
template <typename T>
class GObjectRef {
public:
    GObjectRef() = default;
    explicit GObjectRef(T* adopt) : m_p(adopt) {}
    GObjectRef(const GObjectRef& o) : m_p(o.m_p) { if (m_p) g_object_ref(m_p); }
    GObjectRef(GObjectRef&& o) noexcept : m_p(std::exchange(o.m_p, nullptr)) {}
    GObjectRef& operator=(GObjectRef o) noexcept { std::swap(m_p, o.m_p); return *this; }
    ~GObjectRef() { if (m_p) g_object_unref(m_p); }

    // A borrowed pointer made owning (adds a reference).
    static GObjectRef borrow(T* p) { if (p) g_object_ref(p); return GObjectRef(p); }

    T* get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

// g_free'd C string.
struct GFree {
    void operator()(void* p) const { g_free(p); }
};
using GString_ = std::unique_ptr<char, GFree>;

// Text of a UTF-8 C string that GMime returns (nullptr gives "").
inline QString fromUtf8(const char* s) { return s ? QString::fromUtf8(s) : QString(); }
inline QString takeUtf8(char* s) { GString_ holder(s); return fromUtf8(s); }

// The decoded bytes of a data wrapper (transfer encoding removed).
QByteArray wrapperBytes(GMimeDataWrapper* wrapper);
// The serialised bytes of an object (a message, a part with its headers).
QByteArray objectBytes(GMimeObject* object);

} // namespace lark::intake::gm
