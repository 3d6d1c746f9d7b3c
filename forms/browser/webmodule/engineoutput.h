#pragma once

#include <QLoggingCategory>
#include <QStringList>

// What the web engine writes on the terminal. A desktop program started from
// a terminal says nothing there unless something is wrong, so the engine's
// start-up report and the pages' console messages stay off it by default;
// the engine's warnings still show. Rules the user wrote (QT_LOGGING_RULES,
// QT_LOGGING_CONF, a qtlogging.ini) still decide what they speak of.

// Once, before the engine starts; composing in software, the engine is kept
// from OpenGL on purpose.
void quietEngineOutput(bool software);

// The console messages of the pages shown: category "js", as the engine
// names them, but off unless a rule turns it on ("js.warning=true").
Q_DECLARE_LOGGING_CATEGORY(pageConsole)

// Whether a logging rule in this qtlogging.ini text could enable or disable
// the information messages of one of these categories.
[[nodiscard]] bool rulesSpeakOf(const QString &ini, const QStringList &categories);
