// The French texts the board unit raises or asks the caller to show.
#pragma once

namespace pinstage {

inline constexpr const char* kMsgWriteImpossible = "ecriture impossible ou erronée";
inline constexpr const char* kMsgReadImpossible = "lecture impossible ou erronée";
inline constexpr const char* kMsgWritePort6 = "erreur d'écriture sur port 6";
inline constexpr const char* kMsgWritePort1 = "erreur d'écriture sur port 1";
inline constexpr const char* kMsgMatrixReadIncomplete = "lecture des contacts plateau incomplète";
inline constexpr const char* kMsgDirectReadError = "erreur de lecture contacts secs";
inline constexpr const char* kMsgCoilWrite = "erreur d'écriture";

// The warning box shown when no board answers at start-up; it closes itself after 2.5 s.
inline constexpr const char* kNoBoardWarningText = "Defaut de connection USB avec la carte Lumiscope \n"
                                                   " ou carte Lumiscope absente ou non reconnue \n"
                                                   " Certaines fonctions de test ne seront pas disponibles";
inline constexpr const char* kNoBoardWarningCaption = "Defaut constaté :";
inline constexpr unsigned kNoBoardWarningTimeoutMs = 2500;

} // namespace pinstage
