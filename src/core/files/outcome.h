#pragma once
// The one way the core reports a failure: an operation that can fail returns
// an Outcome, which holds either its value or the text of the failure as the
// user is to read it. The core never shows anything; a form that gets a
// failure decides whether to show it in the error box.
//
//     Outcome<QByteArray> bytes = readFileBytes(path, FileKind::Bank);
//     if (!bytes)
//         return Failure{bytes.error()};
//
// Status (Outcome<void>) is the result of an operation that yields nothing.

#include <QString>

#include <optional>
#include <utility>

namespace quz {

// A failure on its way to any Outcome: `return Failure{text};`.
struct Failure {
    QString error;
};

template <class T>
class [[nodiscard]] Outcome {
public:
    Outcome(T value)
        : m_value(std::move(value))
    {}
    Outcome(Failure failure)
        : m_error(std::move(failure.error))
    {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }

    // The value; only when ok().
    T &value() & { return *m_value; }
    const T &value() const & { return *m_value; }
    T &&value() && { return std::move(*m_value); }
    T *operator->() { return &*m_value; }
    const T *operator->() const { return &*m_value; }
    T &operator*() & { return *m_value; }
    const T &operator*() const & { return *m_value; }

    // The failure's text; empty when ok().
    const QString &error() const { return m_error; }

private:
    std::optional<T> m_value;
    QString m_error;
};

template <>
class [[nodiscard]] Outcome<void> {
public:
    // Success.
    Outcome() = default;
    Outcome(Failure failure)
        : m_failed(true)
        , m_error(std::move(failure.error))
    {}

    bool ok() const { return !m_failed; }
    explicit operator bool() const { return ok(); }
    const QString &error() const { return m_error; }

private:
    bool m_failed = false;
    QString m_error;
};

using Status = Outcome<void>;

} // namespace quz
