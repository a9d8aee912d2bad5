#pragma once

/// The frame of a control: none, or a single line (a sunken edge where the control draws one).
enum class TBorderStyle { bsNone = 0, bsSingle = 1 };
