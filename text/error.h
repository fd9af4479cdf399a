#pragma once

#include <QString>
#include <stdexcept>

namespace kf {

// The one error type of the program: its text is what the error box shows.
class Error : public std::runtime_error {
public:
    explicit Error(const QString &message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString &message() const { return message_; }

private:
    QString message_;
};

// The text an error box shows for any exception that leaves a handler.
inline QString errorText(const std::exception &e) {
    if (auto *own = dynamic_cast<const Error *>(&e))
        return own->message();
    return QString::fromUtf8(e.what());
}

} // namespace kf
