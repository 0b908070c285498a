#pragma once
// The episode source's calculated fields: frame size, duration text and size text.

namespace tolvane {

class TRecordSource;

class TEpisodeFields {
public:
    // Fills "Размеры", "Time" and "Size" of the record being calculated.
    static void Calculate(TRecordSource& episodes);
};

} // namespace tolvane
