// The test filters: a last word on every answer and every text the driver
// hands out, so that a test can feed the library what no device would send.
#include "driver.h"
#include "kvt/simcontrol.h"

namespace kvtdrv {

namespace {

SimAnswerFilter g_answerFilter = nullptr;
SimTextFilter g_textFilter = nullptr;

}  // namespace

bool FilterAnswer(const BYTE *request, TelegramRecord &answer, bool answered) {
  if (!g_answerFilter) return answered;
  return g_answerFilter(request, answer.data(), answered ? TRUE : FALSE) != FALSE;
}

void FilterText(int textClass, LPSTR text, int textSize) {
  if (g_textFilter && text && textSize > 0) g_textFilter(textClass, text, textSize);
}

}  // namespace kvtdrv

KVT_DRV_API BOOL WINAPI SimFilterAnswers(SimAnswerFilter filter) {
  kvtdrv::g_answerFilter = filter;
  return TRUE;
}

KVT_DRV_API BOOL WINAPI SimFilterTexts(SimTextFilter filter) {
  kvtdrv::g_textFilter = filter;
  return TRUE;
}
