#pragma once

// An HTTPS stand-in whose certificate the program's fetches trust (KELVARO_CA_FILE) while the
// object lives.

#include "sandbox/loopback_service.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace testing_gui {

class TrustedHttpsService {
public:
    TrustedHttpsService() {
        QFile file(dir_.filePath("standin-ca.pem"));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(service_.certificatePem().c_str());
        file.close();
        previous_ = qgetenv("KELVARO_CA_FILE");
        qputenv("KELVARO_CA_FILE", QFile::encodeName(file.fileName()));
    }
    ~TrustedHttpsService() {
        service_.stop();
        if (previous_.isEmpty())
            qunsetenv("KELVARO_CA_FILE");
        else
            qputenv("KELVARO_CA_FILE", previous_);
    }
    sandbox::LoopbackService &service() { return service_; }

private:
    QTemporaryDir dir_;
    sandbox::LoopbackService service_{sandbox::LoopbackService::Scheme::Https};
    QByteArray previous_;
};

} // namespace testing_gui
