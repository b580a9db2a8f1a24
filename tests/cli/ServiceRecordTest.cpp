// SPDX-License-Identifier: Apache-2.0
// mvt's machine-readable answers: the service records of send and listen for each way a run ends,
// and the --json of info, check and ports, each validated against its schema beside the code.
#include "tests/bridge/ReceivingUart.h"
#include "tests/bridge/WireLog.h"
#include "tests/cli/CaptureFiles.h"
#include "tests/cli/MvtRun.h"
#include "tests/support/TempDir.h"
#include "tests/support/UpdateFileBuilder.h"

#include <QCryptographicHash>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <functional>
#include <unistd.h>

namespace sus::test {
namespace {

using namespace std::chrono_literals;

// A port name of this test alone: Qt locks a port by its name, machine-wide, and tests run side by side.
const std::string kPort = "/dev/ttyUSB" + std::to_string(::getpid());
// Past the wake-up frames, the handshake and the header: the bridge goes while the spot file's data
// blocks go out.
constexpr const char* kPullOutAfterBytes = "9000";

QString sha256Of(const std::filesystem::path& path)
{
    QFile file(pathArgument(path));
    return file.open(QIODevice::ReadOnly)
               ? QString::fromLatin1(
                     QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex())
               : QString();
}

// Validates the JSON on standard input against the schema named; relative references resolve beside it.
constexpr const char* kValidate = R"(
import json, pathlib, sys, jsonschema
path = pathlib.Path(sys.argv[1]).resolve()
schema = json.loads(path.read_text())
validator = jsonschema.validators.validator_for(schema)
validator.check_schema(schema)
validator(schema, resolver=jsonschema.RefResolver(path.as_uri(), schema)).validate(json.load(sys.stdin))
)";

std::string schemaProblems(const std::string& schema, const QByteArray& document)
{
    QProcess python;
    python.start(QStringLiteral("python3"),
                 {QStringLiteral("-c"), QString::fromLatin1(kValidate),
                  QStringLiteral(SUS_SCHEMA_DIR "/") + QString::fromStdString(schema)});
    python.write(document);
    python.closeWriteChannel();
    if (!python.waitForFinished(60000))
        return "python3 did not finish";
    if (python.exitCode() == 0)
        return {};
    return python.readAllStandardError().right(600).toStdString();
}

// The value at `path` ("files/1/result"), array entries by their index.
QJsonValue at(const QJsonObject& document, const QString& path)
{
    QJsonValue value = document;
    for (const QString& step : path.split(QLatin1Char('/'))) {
        bool index = false;
        const int number = step.toInt(&index);
        value = index ? value.toArray().at(number) : value.toObject().value(step);
    }
    return value;
}

class MvtAnswers : public ::testing::Test {
protected:
    MvtAnswers()
    {
        // A second file with the demo file's key bytes, so that one password opens both.
        const UpdateImage spotImage = exampleImage("Demo Spot 575.MVT");
        UpdateFileBuilder()
            .keyBytes(spotImage.keyBytes())
            .imageData(std::vector<std::uint8_t>(700, 0x5A))
            .writeTo(second);
    }

    QProcessEnvironment overTheBridge(const char* pullOutAfter) const
    {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(SUS_MODEL_BRIDGE_LIBRARY));
        environment.insert(QStringLiteral("SUS_MODEL_BRIDGE_PORT"), QString::fromStdString(kPort));
        environment.insert(QStringLiteral("SUS_MODEL_BRIDGE_PULL_OUT_AFTER"),
                           QString::fromLatin1(pullOutAfter));
        return environment;
    }

    // `listen --report -` over what a receiving UART made of a simulated run of both files.
    MvtResult listenToARun() const
    {
        const QStringList files{pathArgument(spot), pathArgument(second)};
        runMvt(QStringList{QStringLiteral("send"), QStringLiteral("--simulate"), QStringLiteral("--password"),
                           QStringLiteral("452DB8"), QStringLiteral("--capture"),
                           pathArgument(dir / "run.log")} +
               files);
        const std::vector<std::uint8_t> stream =
            bridge::receivedStream(bridge::readWireLog(fileText(dir / "run.log")), {});
        std::ofstream(dir / "heard.bin", std::ios::binary)
            .write(reinterpret_cast<const char*>(stream.data()), static_cast<std::streamsize>(stream.size()));
        return runMvt(QStringList{QStringLiteral("listen"), QStringLiteral("--input"),
                                  pathArgument(dir / "heard.bin"), QStringLiteral("--report"),
                                  QStringLiteral("-"), QStringLiteral("--expect"),
                                  QStringLiteral("--password"), QStringLiteral("452DB8")} +
                      files);
    }

    // `send --realtime` stopped by Ctrl+C as soon as the run has begun.
    MvtResult interruptedRun() const
    {
        MvtProcess mvt({QStringLiteral("send"), QStringLiteral("--simulate"), QStringLiteral("--realtime"),
                        QStringLiteral("--password"), QStringLiteral("452DB8"), QStringLiteral("--report"),
                        QStringLiteral("-"), pathArgument(spot)});
        EXPECT_TRUE(mvt.waitForError("Controller has been found!", 10s));
        ::kill(static_cast<pid_t>(mvt.processId()), SIGINT);
        return mvt.finish();
    }

    TempDir dir;
    std::filesystem::path spot = examplePath("Demo Spot 575.MVT");
    std::filesystem::path second = dir / "second.MVT";
    std::filesystem::path record = dir / "record.json";
};

TEST_F(MvtAnswers, EachRunEndingAndEachAnswerIsOneDocumentOfItsSchemaThatSaysWhatHappened)
{
    const QString spotPath = pathArgument(spot);
    const QString missing = pathArgument(dir / "missing.MVT");
    const QString password = QStringLiteral("452DB8");
    struct Row {
        const char* name;
        std::function<MvtResult()> run;
        int exitCode;
        const char* schema;
        std::vector<std::pair<QString, QJsonValue>> fields;
    };
    const std::vector<Row> rows = {
        {"finished, to a file",
         [&] {
             return runMvt({QStringLiteral("send"), QStringLiteral("--simulate"),
                            QStringLiteral("--password"), password, QStringLiteral("--report"),
                            pathArgument(record), spotPath, pathArgument(second)});
         },
         0,
         "service-record.schema.json",
         {{"record", "send"},
          {"ending", "finished"},
          {"resetSent", true},
          {"abortUpdateSent", false},
          {"port", "simulated"},
          {"files/0/path", spotPath},
          {"files/0/sha256", sha256Of(spot)},
          {"files/0/version", "V1.2.05"},
          {"files/0/result", "sent"},
          {"files/1/sha256", sha256Of(second)},
          {"files/1/size", 844},
          {"files/1/result", "sent"}}},
        {"refused by its password",
         [&] {
             return runMvt({QStringLiteral("send"), QStringLiteral("--simulate"),
                            QStringLiteral("--password"), QStringLiteral("123456"),
                            QStringLiteral("--report"), QStringLiteral("-"), spotPath});
         },
         3,
         "service-record.schema.json",
         {{"ending", "refused"},
          {"port", QJsonValue::Null},
          {"files/0/result", "refused"},
          {"files/0/reason", "Password Wrong!"}}},
        {"stopped by Ctrl+C",
         [&] { return interruptedRun(); },
         130,
         "service-record.schema.json",
         {{"ending", "stopped"},
          {"abortUpdateSent", true},
          {"resetSent", false},
          {"files/0/result", "notSent"}}},
        {"unplugged mid-file",
         [&] {
             return runMvt({QStringLiteral("send"), QStringLiteral("--port"), QString::fromStdString(kPort),
                            QStringLiteral("--password"), password, QStringLiteral("--report"),
                            QStringLiteral("-"), spotPath},
                           overTheBridge(kPullOutAfterBytes));
         },
         5,
         "service-record.schema.json",
         {{"ending", "unplugged"},
          {"abortUpdateSent", false},
          {"port", QString::fromStdString(kPort)},
          {"files/0/result", "cut"},
          {"files/0/blocks", 12}}},
        {"heard by listen",
         [&] { return listenToARun(); },
         0,
         "service-record.schema.json",
         {{"record", "listen"},
          {"ending", "finished"},
          {"expectation", "met"},
          {"wakeUpFrames", 41},
          {"files/0/sha256", sha256Of(spot)},
          {"files/0/version", "V1.2.05"},
          {"files/0/result", "intact"},
          {"files/1/result", "intact"}}},
        {"info",
         [&] {
             return runMvt({QStringLiteral("info"), QStringLiteral("--json"), spotPath});
         },
         0,
         "answers.schema.json",
         {{"file/version", "V1.2.05"},
          {"designer", QStringLiteral("M. Schön")},
          {"error", QJsonValue::Null}}},
        {"check",
         [&] {
             return runMvt({QStringLiteral("check"), QStringLiteral("--json"), QStringLiteral("--password"),
                            password, spotPath, missing});
         },
         4,
         "answers.schema.json",
         {{"exitStatus", 4},
          {"files/0/verdict", "passwordRight"},
          {"files/1/verdict", "cannotBeSent"},
          {"files/1/sha256", QJsonValue::Null},
          {"runLengthMs", QJsonValue::Null}}},
        {"check, a run it would not stop",
         [&] {
             return runMvt({QStringLiteral("check"), QStringLiteral("--json"), QStringLiteral("--password"),
                            password, spotPath});
         },
         0,
         "answers.schema.json",
         {{"exitStatus", 0}, {"runLengthMs", 8460}}},
        {"ports",
         [&] {
             return runMvt({QStringLiteral("ports"), QStringLiteral("--json"), QStringLiteral("--simulate")});
         },
         0,
         "answers.schema.json",
         {{"controller", "simulated"}, {"ports/0/vendorId", "10C4"}, {"ports/0/controller", true}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::filesystem::remove(record);
        const MvtResult run = row.run();
        EXPECT_EQ(run.exitCode, row.exitCode) << run.err;
        // Standard output holds the document alone, or nothing when it went to a file.
        const bool toFile = std::filesystem::exists(record);
        const QByteArray text =
            toFile ? QByteArray::fromStdString(fileText(record)) : QByteArray::fromStdString(run.out);
        if (toFile) {
            EXPECT_EQ(run.out.find('{'), std::string::npos) << run.out;
        }
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(text, &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << text.toStdString();
        EXPECT_EQ(schemaProblems(row.schema, text), "");
        for (const auto& [path, value] : row.fields) {
            const QJsonValue got = at(document.object(), path);
            EXPECT_EQ(got, value)
                << path.toStdString() << ": "
                << QJsonDocument(QJsonArray{got}).toJson(QJsonDocument::Compact).toStdString();
        }
    }
}

} // namespace
} // namespace sus::test
