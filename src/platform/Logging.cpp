#include "platform/Logging.h"

Q_LOGGING_CATEGORY(lcSerial, "vora.serial")
Q_LOGGING_CATEGORY(lcSettings, "vora.settings")
Q_LOGGING_CATEGORY(lcProgram, "vora.program")
Q_LOGGING_CATEGORY(lcRigctl, "vora.rigctl")
