// Component state: what a component says about itself while it goes.
#include <gtest/gtest.h>

#include <vector>

#include "platform/rtl/component.h"

namespace {

// Remembers, for each removal it hears of, whether the removed component said it was destroying.
class Watcher : public TComponent {
  public:
    using TComponent::TComponent;
    std::vector<bool> destroyingSeen;

  protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        if (Operation == opRemove)
            destroyingSeen.push_back(AComponent->Destroying() &&
                                     AComponent->ComponentState().Contains(csDestroying));
        TComponent::Notification(AComponent, Operation);
    }
};

TEST(ComponentState, ListenersHearOfAFreedComponentWhileItSaysDestroying) {
    auto watcher = MakeComponent<Watcher>(nullptr);
    auto watched = MakeComponent<TComponent>(nullptr);
    EXPECT_TRUE(watched->ComponentState().Empty());
    watched->FreeNotification(watcher.get());
    watched.reset();
    EXPECT_EQ(watcher->destroyingSeen, std::vector<bool>{true});

    // Owned components are heard of by their owner the same way.
    Free(NewComponent<TComponent>(watcher.get()));
    EXPECT_EQ(watcher->destroyingSeen, (std::vector<bool>{true, true}));
    EXPECT_FALSE(watcher->ComponentState().Contains(csDesigning));
}

}  // namespace
