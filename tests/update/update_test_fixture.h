#pragma once

#include "../formats/formats_test_support.h"
#include "../formats/scripted_prompts.h"
#include "services/flags.h"
#include "services/settings_backend.h"
#include "test_http_server.h"
#include "update/own_release.h"
#include "update/server_address.h"
#include "update/update_service.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

// An update service whose settings live in memory and whose server is a test
// server on 127.0.0.1, with a short request timeout.
class UpdateTest : public ::testing::Test {
protected:
    static constexpr int kShortTimeoutMs = 400;

    UpdateTest() : m_scope(m_settings) {
        FormatsTest::LoadEnglish();
        m_flags.Load(NSettings::kDefaultFlags);
        m_service.SetRequestTimeout(kShortTimeoutMs);
    }

    void UseTestServer() { NUpdate::WriteUpdateServer(m_server.Address()); }

    // A release description as the server publishes it.
    static QByteArray Description(const QString& digest, const QByteArray& version,
                                  const QUrl& installer) {
        return digest.toLatin1() + "\n" + version + "\n" + installer.toEncoded() + "\n";
    }
    void PublishRelease(const QString& digest, const QByteArray& version) {
        m_server.Serve(QStringLiteral("/releases/version.txt"),
                       CTestHttpServer::Response(
                           200, Description(digest, version,
                                            m_server.Url(QStringLiteral("/files/setup.deb")))));
    }
    static QString OtherDigest() { return QStringLiteral("0123456789abcdef0123456789abcdef"); }

    QString LastMessage() const {
        return m_prompts.messages.empty()
                   ? QString()
                   : QString::fromStdU16String(m_prompts.messages.back().text);
    }

    NSettings::CMemoryBackend m_settings;
    NSettings::CScopedBackend m_scope;
    FormatsTest::CScriptedPrompts m_prompts;
    NSettings::CFlags m_flags;
    CTestHttpServer m_server;
    NUpdate::CUpdateService m_service{m_flags};
    // Stands for the window that asked for a manual check.
    QObject m_owner;
};
