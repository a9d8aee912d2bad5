#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

/// Base of the program's exceptions: a failure that carries a message for the operator.
class Exception : public std::exception {
public:
    /// Creates the exception with its message.
    explicit Exception(const QString& message);
    /// The message as the operator sees it.
    const QString& Message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
