#pragma once
// Result<T>: a value or an error with a text, for core operations that never show UI.
#include <QString>
#include <utility>
#include <variant>

namespace lark {

struct Error {
    int code = 1;
    QString text;
};

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_v(std::move(value)) {}
    Result(Error error) : m_v(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(m_v); }
    explicit operator bool() const { return ok(); }
    T& value() { return std::get<T>(m_v); }
    const T& value() const { return std::get<T>(m_v); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() { return value(); }
    const Error& error() const { return std::get<Error>(m_v); }
    QString errorText() const { return ok() ? QString() : error().text; }

private:
    std::variant<T, Error> m_v;
};

struct Ok {};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Ok) {}
    Result(Error error) : m_err(std::move(error)), m_failed(true) {}
    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return m_err; }
    QString errorText() const { return m_failed ? m_err.text : QString(); }

private:
    Error m_err;
    bool m_failed = false;
};

using Status = Result<void>;

inline Error makeError(QString text, int code = 1) { return Error{code, std::move(text)}; }

} // namespace lark
