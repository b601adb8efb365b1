// The Windows shell: documents and programs opened by file name.
#pragma once

#include "platform/shell.h"

class Win32Shell final : public IShell {
public:
    std::intptr_t Execute(std::string_view verb, std::string_view file, std::string_view parameters,
                          std::string_view directory, int show) override;
    // ShellExecuteEx with SEE_MASK_NOCLOSEPROCESS, no owner and no verb.
    std::unique_ptr<IProcess> Launch(std::string_view file, std::string_view parameters, std::string_view directory,
                                     int show) override;
    std::string ProgramDirectory() const override;
};
