#include "export/conversion_driver.h"

#include "import/error.h"

namespace velkor {

ConversionResult G2X(const std::filesystem::path&, const ConversionOptions& options, ConversionQuestions&) {
  return {options.suggestedOutputName, {}};
}

}  // namespace velkor
