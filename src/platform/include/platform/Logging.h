#pragma once

#include <QLoggingCategory>

// Diagnostics go through these categories, so an operator can turn one up or down with
// QT_LOGGING_RULES (e.g. "vora.serial.debug=true").
Q_DECLARE_LOGGING_CATEGORY(lcSerial)    // the serial line: opens, failures, vanished devices
Q_DECLARE_LOGGING_CATEGORY(lcSettings)  // the settings store
Q_DECLARE_LOGGING_CATEGORY(lcProgram)   // the program and its windows
Q_DECLARE_LOGGING_CATEGORY(lcRigctl)    // network control: the rigctld-compatible server
