#include "toolkit/Component.h"

#include <algorithm>
#include <stdexcept>

namespace quendrel::toolkit {
namespace {

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

}  // namespace

TComponent::TComponent(TComponent* owner) {
  if (owner != nullptr) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  state_ |= csDestroying;
  // Whoever asked to hear about our end hears it before anything else goes.
  while (!freeNotifies_.empty()) {
    TComponent* other = freeNotifies_.back();
    freeNotifies_.pop_back();
    std::erase(other->freeNotifies_, this);
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (owner_ != nullptr) {
    // Freed on its own: leave the owner without letting it free us a second time.
    static_cast<void>(owner_->RemoveComponent(this).release());
  }
}

void TComponent::Free() {
  if (!Destroying()) BeforeDestruction();
  delete this;
}

void TComponent::BeforeDestruction() { state_ |= csDestroying; }

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    std::unique_ptr<TComponent> last = std::move(components_.back());
    components_.pop_back();
    last->owner_ = nullptr;
    SendNotification(last.get(), opRemove);
    if (!last->Destroying()) last->BeforeDestruction();
    last.reset();
  }
}

void TComponent::SetName(std::string name) {
  if (SameText(name, name_)) {
    name_ = std::move(name);
    return;
  }
  if (!name.empty() && owner_ != nullptr && owner_->FindComponent(name) != nullptr) {
    throw std::invalid_argument("A component named " + name + " already exists");
  }
  name_ = std::move(name);
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) throw std::out_of_range("Component index out of bounds");
  return components_[static_cast<size_t>(index)].get();
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  for (const auto& component : components_) {
    if (SameText(component->name_, name)) return component.get();
  }
  return nullptr;
}

TComponent* TComponent::Root() {
  TComponent* root = this;
  while (root->owner_ != nullptr) root = root->owner_;
  return root;
}

void TComponent::InsertComponent(TComponent* component) {
  if (component == nullptr || component->owner_ == this) return;
  if (!component->name_.empty() && FindComponent(component->name_) != nullptr) {
    throw std::invalid_argument("A component named " + component->name_ + " already exists");
  }
  std::unique_ptr<TComponent> held;
  if (component->owner_ != nullptr) {
    held = component->owner_->RemoveComponent(component);
  } else {
    held.reset(component);
  }
  components_.push_back(std::move(held));
  component->owner_ = this;
  if (Loading()) component->SetLoadingTree(true);
  SendNotification(component, opInsert);
}

std::unique_ptr<TComponent> TComponent::RemoveComponent(TComponent* component) {
  auto it = std::find_if(components_.begin(), components_.end(),
                         [component](const auto& held) { return held.get() == component; });
  if (it == components_.end()) return nullptr;
  std::unique_ptr<TComponent> held = std::move(*it);
  components_.erase(it);
  held->owner_ = nullptr;
  SendNotification(component, opRemove);
  return held;
}

void TComponent::SendNotification(TComponent* component, TOperation operation) {
  // The owner hears it and passes it on to everything it owns, the component itself included.
  if (!Destroying() || operation == opRemove) Notification(component, operation);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove) RemoveFreeNotification(component);
  // Indexing (not iterators): a handler may free or insert components while we walk.
  for (size_t i = components_.size(); i-- > 0;) {
    if (i < components_.size() && components_[i].get() != component) {
      components_[i]->Notification(component, operation);
    }
  }
}

void TComponent::FreeNotification(TComponent* component) {
  if (component == nullptr || component == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end()) {
    freeNotifies_.push_back(component);
    component->freeNotifies_.push_back(this);
  }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  if (component == nullptr) return;
  std::erase(freeNotifies_, component);
  std::erase(component->freeNotifies_, this);
}

void TComponent::BeginLoading() { SetLoadingTree(true); }

void TComponent::EndLoading() {
  for (size_t i = 0; i < components_.size(); ++i) components_[i]->EndLoading();
  if (Loading()) {
    state_ &= ~static_cast<unsigned>(csLoading);
    Loaded();
  }
}

void TComponent::SetLoadingTree(bool loading) {
  if (loading) {
    state_ |= csLoading;
  } else {
    state_ &= ~static_cast<unsigned>(csLoading);
  }
  for (const auto& component : components_) component->SetLoadingTree(loading);
}

}  // namespace quendrel::toolkit
