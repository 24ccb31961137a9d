#include "DisplayStartup.h"

#include "core/PrintableText.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace platform {

namespace {

std::string x11Display(const std::vector<std::string>& args, const EnvironmentLookup& env) {
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "-display" || args[i] == "--display")
            return args[i + 1];
    }
    return env("DISPLAY");
}

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

struct GuardState {
    QtMessageHandler previous = nullptr;
    std::vector<std::string> args;
    std::vector<HeldMessage> held;
};

GuardState& state() {
    static GuardState s;
    return s;
}

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    GuardState& s = state();
    if (type != QtFatalMsg) {
        s.held.push_back({type, QByteArray(context.category), text});
        return;
    }
    // the toolkit names each plugin it could not load in a warning before its fatal message
    std::vector<std::string> plugins;
    static const QRegularExpression kFailed(
        QStringLiteral("Could not load the Qt platform plugin \"([^\"]*)\""));
    for (const HeldMessage& m : s.held) {
        const QRegularExpressionMatch match = kFailed.match(m.text);
        if (match.hasMatch())
            plugins.push_back(match.captured(1).toStdString());
    }
    const std::string line = displayFailureLine(plugins, s.args, environmentValue) + "\n";
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

std::string displayFailureLine(const std::vector<std::string>& plugins,
                               const std::vector<std::string>& args,
                               const EnvironmentLookup& environment) {
    std::string names;
    for (const std::string& plugin : plugins) {
        std::string name;
        if (plugin == "xcb") {
            const std::string display = x11Display(args, environment);
            name =
                display.empty() ? "X11 (DISPLAY is not set)" : "X11 " + core::quotedText(display);
        } else if (plugin.rfind("wayland", 0) == 0) {
            const std::string display = environment("WAYLAND_DISPLAY");
            name = "Wayland " + core::quotedText(display.empty() ? "wayland-0" : display);
        } else {
            name = core::quotedText(plugin);
        }
        if (names.find(name) == std::string::npos)
            names += (names.empty() ? "" : ", ") + name;
    }
    if (names.empty())
        names = "no platform could be started";
    return "chromalune: cannot open the display (" + names +
           "); start it on a running desktop, or export without one: see chromalune --help";
}

DisplayStartupGuard::DisplayStartupGuard(std::vector<std::string> args) {
    GuardState& s = state();
    s.args = std::move(args);
    s.held.clear();
    s.previous = qInstallMessageHandler(holdMessage);
}

DisplayStartupGuard::~DisplayStartupGuard() {
    GuardState& s = state();
    qInstallMessageHandler(s.previous);
    for (const HeldMessage& m : s.held) {
        const QMessageLogContext context(nullptr, 0, nullptr, m.category.constData());
        if (s.previous != nullptr)
            s.previous(m.type, context, m.text);
        else
            qt_message_output(m.type, context, m.text);
    }
    s.held.clear();
}

} // namespace platform
