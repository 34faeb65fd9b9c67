#pragma once

#include <QString>

#include <optional>
#include <utility>

// The program's one way of saying that something failed: a result that holds
// either the value asked for or a French text for the user saying why not,
// written to follow "… n'a pas pu être enregistré (" in a message.
namespace platform {

struct Failure
{
    QString message;
};

inline Failure fail(QString message)
{
    return Failure{std::move(message)};
}

template <typename T>
class [[nodiscard]] Result
{
public:
    Result(T value)
        : m_value(std::move(value))
    {
    }
    Result(Failure failure)
        : m_error(std::move(failure.message))
    {
    }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }

    const T &value() const & { return *m_value; }
    T &&value() && { return std::move(*m_value); }
    const T &operator*() const & { return *m_value; }
    const T *operator->() const { return &*m_value; }
    T valueOr(T fallback) const { return ok() ? *m_value : std::move(fallback); }

    // Empty on success.
    const QString &error() const { return m_error; }
    // A failed result's failure, to be passed on as it is by a caller whose
    // own result is of another type: `if (!read) return read.failure();`.
    Failure failure() const { return Failure{m_error}; }

private:
    std::optional<T> m_value;
    QString m_error;
};

template <>
class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Failure failure)
        : m_failed(true)
        , m_error(std::move(failure.message))
    {
    }

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString &error() const { return m_error; }
    Failure failure() const { return Failure{m_error}; }

private:
    bool m_failed = false;
    QString m_error;
};

} // namespace platform
