// The texts of the Survey page, in one place; the words it shares with the report (column
// headings, " of ") are the report's and core's own (report/Messages.h, core/Messages.h).
#pragma once

namespace zorvel::ui::msg {

inline constexpr char kSurveyPage[] = "Survey";
inline constexpr char kSurveyNewBtn[] = "new survey…";
inline constexpr char kSurveyOpenBtn[] = "open survey…";
inline constexpr char kSurveyAddOpenBtn[] = "add the open files";
inline constexpr char kSurveyAddFolderBtn[] = "add a folder…";
inline constexpr char kSurveyStopBtn[] = "Stop";
inline constexpr char kSurveySaveReportBtn[] = "save report…";
inline constexpr char kSurveyNone[] = "no survey open";
inline constexpr char kSurveyFilter[] = "Survey files (*.zvs);;All files (*)";
inline constexpr char kSurveyReportFilter[] = "PDF report (*.pdf);;HTML report (*.html)";
inline constexpr char kSurveyAdding[] = "adding to the survey";
inline constexpr char kSurveyFilesAdded[] = " file(s) added";
inline constexpr char kSurveyStopped[] = "; stopped";
inline constexpr char kSurveyNoFiles[] = "no ZV2 or ZV3 file to add";
inline constexpr char kSurveyReportSaved[] = "report saved: ";
inline constexpr char kSurveyColSpecies[] = "species";
inline constexpr char kSurveyColActivity[] = "activity index";
inline constexpr char kSurveyColFirst[] = "first after sunset (min)";
inline constexpr char kSurveyColBuzzes[] = "buzz calls";
inline constexpr char kSurveyFigures[4][24] = {"passes per night", "time after sunset", "first pass",
                                               "temperature and light"};

}  // namespace zorvel::ui::msg
