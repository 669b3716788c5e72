// Components: the owner tree every object of the program hangs in.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quendrel::toolkit {

class TPropertyList;

enum TOperation { opInsert, opRemove };

// Bits of TComponent::ComponentState().
enum TComponentStateBits : unsigned {
  csLoading = 1u << 0,     // properties are being set up; setters must not fire events
  csDestroying = 1u << 1,  // the destructor has begun
};

// A component with an owner: `new TLabel(form)` hands the label to the form, which frees what it
// owns in reverse order of insertion. A component freed on its own first leaves its owner. A null
// owner leaves ownership with the caller (hold it in a std::unique_ptr).
class TComponent {
public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  virtual std::string ClassName() const { return "TComponent"; }
  // The published properties of the object's class, inherited ones included (toolkit/Properties.h).
  virtual const TPropertyList& PublishedProperties() const { return ClassProperties(); }
  static const TPropertyList& ClassProperties();

  // Frees the component: BeforeDestruction while the whole object is there, then the destructor.
  // Owners free what they own this way; prefer it (or TComponentDeleter) to a plain delete.
  void Free();

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  // Names are unique (ignoring case) among the components of one owner; throws otherwise.
  void SetName(std::string name);

  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const;
  TComponent* FindComponent(std::string_view name) const;
  // The top of the owner tree (the form for the program's components).
  TComponent* Root();

  unsigned ComponentState() const { return state_; }
  bool Loading() const { return (state_ & csLoading) != 0; }
  bool Destroying() const { return (state_ & csDestroying) != 0; }
  // Marks this component and everything it owns (and whatever is inserted meanwhile) as loading.
  void BeginLoading();
  // Clears the mark and calls Loaded(): owned components first, in order, then this one.
  void EndLoading();

  // Moves ownership; `component` must not be owned by anyone yet or is taken from its owner.
  void InsertComponent(TComponent* component);
  // Gives ownership of `component` back to the caller (who must free it).
  std::unique_ptr<TComponent> RemoveComponent(TComponent* component);

  // `component` will call this->Notification(component, opRemove) when it goes, even when it is
  // owned elsewhere. Both sides forget each other when either goes.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

protected:
  // Called on the owner (and passed on to everything it owns) when a component joins or leaves
  // it; opRemove also arrives for components registered with FreeNotification. Overrides that
  // keep references clear them on opRemove and call the base.
  virtual void Notification(TComponent* component, TOperation operation);
  virtual void Loaded() {}
  // Runs before the destructors, while derived parts still exist (windows go here, so no message
  // reaches a half-destroyed object). Overrides call the base, which marks the component Destroying.
  virtual void BeforeDestruction();

private:
  void SetLoadingTree(bool loading);
  void DestroyComponents();
  void SendNotification(TComponent* component, TOperation operation);

  TComponent* owner_ = nullptr;  // not owned
  std::string name_;
  unsigned state_ = 0;
  std::vector<std::unique_ptr<TComponent>> components_;
  std::vector<TComponent*> freeNotifies_;  // not owned; two-way
};

// For std::unique_ptr of components that nobody owns: frees them with Free().
struct TComponentDeleter {
  void operator()(TComponent* component) const {
    if (component != nullptr) component->Free();
  }
};

}  // namespace quendrel::toolkit
