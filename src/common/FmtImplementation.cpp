// fmt's compiled part, built once here instead of inline in every file that formats a log line
// (its header-only form roughly doubled the compile time of each of those files). The library links
// it statically, so the shipped file needs no fmt runtime.
#include <fmt/format-inl.h>

FMT_BEGIN_NAMESPACE
namespace detail {

// The templates fmt's headers declare as instantiated elsewhere, for char.
template auto dragonbox::to_decimal(float x) noexcept -> dragonbox::decimal_fp<float>;
template auto dragonbox::to_decimal(double x) noexcept -> dragonbox::decimal_fp<double>;
template locale_ref::locale_ref(const std::locale& loc);
template auto locale_ref::get<std::locale>() const -> std::locale;
template auto thousands_sep_impl(locale_ref) -> thousands_sep_result<char>;
template auto decimal_point_impl(locale_ref) -> char;
template void buffer<char>::append(const char*, const char*);

} // namespace detail
FMT_END_NAMESPACE
