#include "tools/zelo/CParallelRender.h"

#include "tools/zelo/CProgressBar.h"

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <map>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace Zelo::Tools
{
namespace
{
// Progress steps per file: the bar counts files, each in thousandths.
constexpr size_t STEPS_PER_FILE = 1000;
} // namespace

std::vector<std::string> CParallelRender::outputPaths(const std::vector<std::string> &inputs, const std::string &folder,
                                                      const std::string &type)
{
    std::vector<std::string> outputs;
    std::map<std::string, std::string> inputByOutput;
    for (const std::string &input : inputs)
    {
        std::filesystem::path name = std::filesystem::path(input).filename();
        if (!type.empty())
        {
            name.replace_extension(type);
        }
        const std::string output = (std::filesystem::path(folder) / name).string();
        const auto [existing, isNew] = inputByOutput.emplace(output, input);
        if (!isNew)
        {
            throw std::runtime_error("'" + input + "': would overwrite the rendering of '" + existing->second +
                                     "' in '" + output + "'");
        }
        outputs.push_back(output);
    }
    return outputs;
}

size_t CParallelRender::run(const std::vector<std::string> &inputs, const std::string &folder, const std::string &type,
                            std::ostream &errors) const
{
    const std::vector<std::string> outputs = outputPaths(inputs, folder, type);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder))
    {
        throw std::runtime_error("'" + folder + "': cannot create the output folder" +
                                 (error ? " (" + error.message() + ")" : ""));
    }

    CProgressBar bar(inputs.size() * STEPS_PER_FILE, CProgressBar::isTerminal());
    std::atomic<size_t> nextFile{0};
    std::atomic<size_t> failures{0};
    std::mutex errorMutex;
    const auto work = [&] {
        for (size_t file = nextFile++; file < inputs.size(); file = nextFile++)
        {
            size_t stepsShown = 0;
            const auto progress = [&](size_t done, size_t total) {
                const size_t steps = done * STEPS_PER_FILE / std::max<size_t>(total, 1);
                bar.advance(steps - stepsShown);
                stepsShown = steps;
            };
            try
            {
                const std::string notes = m_renderer.renderFile(inputs[file], outputs[file], progress);
                const std::lock_guard<std::mutex> lock(errorMutex);
                bar.breakLine();
                errors << notes;
            }
            catch (const std::exception &exception)
            {
                ++failures;
                const std::lock_guard<std::mutex> lock(errorMutex);
                bar.breakLine();
                errors << "zelo: " << exception.what() << "\n";
            }
            bar.advance(STEPS_PER_FILE - stepsShown);
        }
    };

    const size_t workerCount = std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()), inputs.size());
    std::vector<std::thread> workers;
    for (size_t worker = 0; worker < workerCount; ++worker)
    {
        workers.emplace_back(work);
    }
    for (std::thread &worker : workers)
    {
        worker.join();
    }
    return failures;
}
} // namespace Zelo::Tools
