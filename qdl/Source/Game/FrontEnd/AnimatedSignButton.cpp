#include "qdl/Source/Game/FrontEnd/AnimatedSignButton.h"

#include "2DEngine/Source/Framework/ObjectDatabase.h"
#include "CorvaneExtensions/Source/ButtonNode.h"
#include "CorvaneExtensions/Source/SpriteNodes.h"

namespace
{

void showSign(Corvane::ObjectDatabase* database, Corvane::ObjectID buttonID, Corvane::ObjectID signID, bool show)
{
    if (SceneNode* const sign = dynamic_cast<SceneNode*>(database->GetObject(signID)))
        sign->LocalSetVisible(show);
    if (SceneNode* const button = dynamic_cast<SceneNode*>(database->GetObject(buttonID)))
        button->LocalSetAlpha(show ? 0.0f : 1.0f);
}

} // namespace

void wireAnimatedSignButton(Corvane::ObjectDatabase* database, ButtonNode* button, AnimatedSpriteNode* sign)
{
    if (!database || !button || !sign)
        return;
    button->LocalSetAlpha(0.0f);
    Corvane::ObjectID const buttonID = button->GetID();
    Corvane::ObjectID const signID = sign->GetID();
    // The connections end with the button, which the same database owns.
    button->mouseEnterSignal.connect(
        [database, buttonID, signID](SceneNode*) { showSign(database, buttonID, signID, false); });
    button->mouseExitSignal.connect(
        [database, buttonID, signID](SceneNode*) { showSign(database, buttonID, signID, true); });
}

void startAnimatedSign(AnimatedSpriteNode* sign, Corvane::Label spriteType)
{
    if (!sign)
        return;
    static Corvane::Label const play = Corvane::Label::GetUniqueString("Play");
    sign->SetSpriteType(spriteType);
    sign->SetAnimation(play, false);
}
