#include "macros/ZCo447MacroHeadPart.h"

#include "core/RunSettings.h"
#include "macros/MacroText.h"
#include "util/Identifier.h"
#include "util/Paths.h"
#include "util/StringFormat.h"

namespace {

const char* const kFileCommentStart[] = {
    "/*********************************************************************************************************************/",
    "/*!",
};
// After the "\file" line.
const char* const kFileCommentMiddle[] = {
    "",
    "  \\brief signal access macros for CiA447",
    "",
    "  \\note \\$Id: $",
    "  \\version \\$Revision: $",
    "  \\date \\$Date: $",
    "",
    "  \\verbatim",
};
// After the generation date and time.
const char* const kFileCommentEnd[] = {
    "  \\endverbatim",
    "*/",
    "/**********************************************************************************************************************/",
    "",
};
// After the include guard.
const char* const kBanners[] = {
    "",
    "/**********************************************************************************************************************",
    " * INCLUDES",
    " *********************************************************************************************************************/",
    "",
    "/**********************************************************************************************************************",
    " *  GLOBAL CONSTANT MACROS",
    " *********************************************************************************************************************/",
    "",
    "/* ##Z_CFG_MANAGEMENT ##CQProject : <REQ_SPEC_COMPONENT> CQComponent : <Implementation> */",
};
// After the component version.
const char* const kFunctionMacrosBanner[] = {
    "",
    "/**********************************************************************************************************************",
    " *  GLOBAL FUNCTION MACROS",
    " *********************************************************************************************************************/",
    "",
};

}  // namespace

std::string includeGuardBase(const std::string& outputPath) {
  std::string base = sanitizeIdentifier(toUpperAscii(splitPath(outputPath).name), "");
  // A macro name cannot start with a digit: 9lives.h gets the base _9LIVES.
  if (!base.empty() && base[0] >= '0' && base[0] <= '9') base.insert(0, 1, '_');
  return base;
}

bool ZCo447MacroHeadPart::writeBody(TextStream& stream, ZGeneratorInterface&) {
  const LocalTime now = clock_();
  const std::string outputPath = runSettings().outputPath();
  const std::string guard = includeGuardBase(outputPath);

  stream.lines(kFileCommentStart);
  stream.line("  \\file ", commentSafe(applyDirectoryPathRule(outputPath)));
  stream.lines(kFileCommentMiddle);
  stream.line(strFormat("   generation date: %d-%d-%d", now.year, now.month, now.day));
  stream.line(strFormat("   generation time: %d:%d", now.hour, now.minute));
  stream.lines(kFileCommentEnd);
  stream.line("#ifndef ", guard, "_COMPONENT_HEADER");
  stream.line("#define ", guard, "_COMPONENT_HEADER");
  stream.lines(kBanners);
  stream.line("#define ", guard, "_COMPONENT_VERSION        0x0100u");
  stream.line("#define ", guard, "_COMPONENT_RELEASEVERSION 0x00u");
  stream.lines(kFunctionMacrosBanner);
  return true;
}
