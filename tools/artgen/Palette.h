#pragma once

#include <QColor>

// One palette for the whole skin, so slices drawn by different functions meet in equal colours.
namespace artgen::palette {

inline const QColor kBackground{38, 38, 38};  // the window body; also the loaded 150
inline const QColor kEdge{82, 82, 82};        // one-pixel outline around the window
inline const QColor kFrame{51, 51, 51};       // title bar and the 4 px frame
inline const QColor kFrameLight{62, 62, 62};  // top highlight row of the title bar
inline const QColor kInset{28, 28, 28};       // line between frame and body

inline const QColor kText{235, 235, 235};
inline const QColor kTextDim{140, 140, 140};
inline const QColor kIcon{176, 176, 176};
inline const QColor kDisabled{108, 108, 108};

inline const QColor kAccent{34, 167, 240};       // the cyan-blue of buttons, selection and lights
inline const QColor kAccentDeep{13, 95, 163};    // dark end of accent gradients
inline const QColor kAccentWash{27, 58, 75};     // selected tool button fill
inline const QColor kAccentText{110, 214, 255};  // cyan caption and selected icons
inline const QColor kCaution{242, 201, 76};      // yellow caption

inline const QColor kRise{229, 57, 53};   // red: price up
inline const QColor kFall{46, 158, 72};   // green: price down
inline const QColor kClose{200, 65, 58};  // close button under the mouse
inline const QColor kFolder{224, 176, 64};

inline const QColor kPaper{255, 255, 255};  // the white result frame

}  // namespace artgen::palette
