// The umbrella headers compile on their own and together.
#include <gtest/gtest.h>

#include "elements/elements.h"
#include "runtime/runtime.h"
#include "widgets/widgets.h"

TEST(Umbrella, headers_bring_every_element) {
  TKXStrList list;
  TKXHub hub;
  hub.SetCount(1);
  hub.onEvent[0] = MakeLink<&TKXStrList::doAdd>(list);
  FireEvent(MakeLink<&TKXHub::doEvent>(hub), "ads.com");
  TData count;
  list.varCount(count, 0);
  EXPECT_EQ(AsInteger(count), 1);
}
