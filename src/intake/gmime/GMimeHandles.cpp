#include "GMimeHandles.h"

#include <mutex>

namespace lark::intake::gm {

void ensureGMime()
{
    static std::once_flag once;
    std::call_once(once, [] { g_mime_init(); });
}

GMimeParserOptions* parserOptions()
{
    static GMimeParserOptions* options = [] {
        ensureGMime();
        GMimeParserOptions* o = g_mime_parser_options_new();
        // Raw 8-bit header text: try these in order, the one with the fewest invalid sequences
        // wins. Latin-1 never fails, so it comes last.
        static const char* fallback[] = {"UTF-8", "CP932", "EUC-JP", "ISO-8859-1", nullptr};
        g_mime_parser_options_set_fallback_charsets(o, fallback);
        g_mime_parser_options_set_address_compliance_mode(o, GMIME_RFC_COMPLIANCE_LOOSE);
        g_mime_parser_options_set_parameter_compliance_mode(o, GMIME_RFC_COMPLIANCE_LOOSE);
        g_mime_parser_options_set_rfc2047_compliance_mode(o, GMIME_RFC_COMPLIANCE_LOOSE);
        g_mime_parser_options_set_allow_addresses_without_domain(o, TRUE);
        return o;
    }();
    return options;
}

namespace {

QByteArray memStreamBytes(GMimeStream* stream)
{
    GByteArray* array = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(stream));
    if (!array || array->len == 0)
        return {};
    return QByteArray(reinterpret_cast<const char*>(array->data), qsizetype(array->len));
}

} // namespace

QByteArray wrapperBytes(GMimeDataWrapper* wrapper)
{
    if (!wrapper)
        return {};
    GObjectRef<GMimeStream> out(g_mime_stream_mem_new());
    if (g_mime_data_wrapper_write_to_stream(wrapper, out.get()) < 0)
        return memStreamBytes(out.get()); // what was decoded before the failure
    return memStreamBytes(out.get());
}

QByteArray objectBytes(GMimeObject* object)
{
    if (!object)
        return {};
    GObjectRef<GMimeStream> out(g_mime_stream_mem_new());
    (void)g_mime_object_write_to_stream(object, nullptr, out.get());
    return memStreamBytes(out.get());
}

} // namespace lark::intake::gm
