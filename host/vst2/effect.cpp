// Calls into an effect through the function addresses found in its record.
#include "host/vst2/effect.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace vst2host {

Effect::Effect(void* record, Host& host) : record(record)
{
    if (record) {
        void* user = &host;
        std::memcpy(static_cast<char*>(record) + kLayout.user, &user, sizeof(user));
    }
}

Effect::~Effect()
{
    close();
}

Effect::Effect(Effect&& other) noexcept : record(std::exchange(other.record, nullptr)) {}

Effect& Effect::operator=(Effect&& other) noexcept
{
    if (this != &other) {
        close();
        record = std::exchange(other.record, nullptr);
    }
    return *this;
}

IntPtr Effect::dispatch(Int32 opcode, Int32 index, IntPtr value, void* ptr, float opt) const
{
    return field<DispatcherFn>(kLayout.dispatcher)(record, opcode, index, value, ptr, opt);
}

std::string Effect::text(Int32 opcode, Int32 index, std::size_t bufferBytes) const
{
    std::vector<char> buffer(bufferBytes, 'X');
    dispatch(opcode, index, 0, buffer.data());
    return std::string(buffer.begin(), std::find(buffer.begin(), buffer.end(), 0));
}

IntPtr Effect::canDo(const char* question) const
{
    std::string copy(question);
    return dispatch(kCanDo, 0, 0, &copy[0]);
}

void Effect::setParameter(Int32 index, float value) const
{
    field<SetParameterFn>(kLayout.setParameter)(record, index, value);
}

float Effect::getParameter(Int32 index) const
{
    return field<GetParameterFn>(kLayout.getParameter)(record, index);
}

void Effect::process(float** inputs, float** outputs, Int32 frames) const
{
    field<ProcessFn>(kLayout.process)(record, inputs, outputs, frames);
}

void Effect::processReplacing(float** inputs, float** outputs, Int32 frames) const
{
    field<ProcessFn>(kLayout.processReplacing)(record, inputs, outputs, frames);
}

void Effect::processDoubleReplacing(double** inputs, double** outputs, Int32 frames) const
{
    field<ProcessDoubleFn>(kLayout.processDoubleReplacing)(record, inputs, outputs, frames);
}

IntPtr Effect::close()
{
    if (!record)
        return 0;
    const IntPtr result = dispatch(kClose);
    record = nullptr;
    return result;
}

}  // namespace vst2host
