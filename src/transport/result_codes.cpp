#include "transport/result_codes.h"

const char* ResultCodeText(int result) {
  switch (result) {
    case kResultSuccess:
      return "done";
    case kResultNoReply:
      return "the device did not answer (or its port is closed)";
    case kResultWriteFailed:
      return "the request could not be written: the device may have been unplugged";
    case kResultNotLinked:
      return "the mouse is not linked to its receiver: switch it on or move it closer";
    case kResultDeviceError:
    case kResultDeviceSecondError:
      return "the device refused the request";
    case kResultInvalidArgument:
      return "the request was not sent: it does not fit this device or connection";
    default:
      return "unknown result";
  }
}
